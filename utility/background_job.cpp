#include "utility/background_job.h"

#include <windows.h>

#include <future>
#include <list>

#include "base/log.h"
#include "utility/task_dispatcher.h"

namespace utility {
namespace {

using JobList = std::list<std::shared_future<void>>;

// Window thread only: entries are added by startBackgroundJob and removed by the completion
// that each job posts back to the window thread. Never destroyed, so exit never waits on a job.
JobList& jobList() {
  static auto* jobs = new JobList();
  return *jobs;
}

struct Job {
  std::function<void()> body;
  std::promise<void> done;
  JobList::iterator entry;
};

void CALLBACK runJob(PTP_CALLBACK_INSTANCE, void* context) {
  std::unique_ptr<Job> job(static_cast<Job*>(context));
  try {
    job->body();
  } catch (...) {
    writeLog("utility::startBackgroundJob", __LINE__, L"background job ended by an exception");
  }
  JobList::iterator entry = job->entry;
  std::shared_future<void> finished = *entry;
  TaskDispatcher::instance()->postFunction([entry, finished] {
    finished.wait();
    jobList().erase(entry);
  });
  job->done.set_value();
}

}  // namespace

bool startBackgroundJob(std::function<void()> body) {
  JobList& jobs = jobList();
  auto job = std::make_unique<Job>();
  job->body = std::move(body);
  job->entry = jobs.insert(jobs.end(), job->done.get_future().share());
  JobList::iterator entry = job->entry;
  if (!TrySubmitThreadpoolCallback(&runJob, job.get(), nullptr)) {
    writeLog("utility::startBackgroundJob", __LINE__, L"TrySubmitThreadpoolCallback failed, error = %d",
             static_cast<int>(GetLastError()));
    jobs.erase(entry);
    return false;
  }
  job.release();  // runJob owns it now
  return true;
}

int runningBackgroundJobs() { return static_cast<int>(jobList().size()); }

}  // namespace utility
