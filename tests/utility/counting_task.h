// A task that counts how often it ran and was released, so tests can prove "at most once run,
// exactly once released".
#pragma once

#include <atomic>
#include <functional>

#include "utility/runable.h"

namespace zxtest {

struct TaskCounters {
  std::atomic<int> runs{0};
  std::atomic<int> releases{0};
};

class CountingTask final : public utility::Runable {
 public:
  CountingTask(TaskCounters& counters, std::function<void()> body = {}) : counters_(counters), body_(std::move(body)) {}
  void release() override {
    ++counters_.releases;
    delete this;
  }
  void run() override {
    ++counters_.runs;
    if (body_) body_();
  }

 private:
  TaskCounters& counters_;
  std::function<void()> body_;
};

inline utility::RunablePtr countingTask(TaskCounters& counters, std::function<void()> body = {}) {
  return utility::RunablePtr(new CountingTask(counters, std::move(body)));
}

}  // namespace zxtest
