// Background jobs: a body runs on the system thread pool; its end is reported back on the
// window thread through the task dispatcher.
#pragma once

#include <functional>

namespace utility {

// Window thread. Runs body on the system thread pool. Returns false (and logs) when the pool
// refuses the work; body then never runs.
bool startBackgroundJob(std::function<void()> body);

// Jobs started and not yet reported back on the window thread.
int runningBackgroundJobs();

}  // namespace utility
