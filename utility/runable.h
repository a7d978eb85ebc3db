// Task objects: one unit of work, handed to exactly one owner (the dispatcher, a timer entry,
// a worker thread), which releases it exactly once.
#pragma once

#include <memory>
#include <type_traits>
#include <utility>

namespace utility {

class Runable {
 public:
  virtual void release() { delete this; }
  virtual ~Runable() = default;
  virtual void run() = 0;
};

struct RunableRelease {
  void operator()(Runable* task) const { task->release(); }
};
using RunablePtr = std::unique_ptr<Runable, RunableRelease>;

template <typename F>
class FunctionRunable final : public Runable {
 public:
  explicit FunctionRunable(F function) : function_(std::move(function)) {}
  void run() override { function_(); }

 private:
  F function_;
};

template <typename T>
class MemberFuncRunable final : public Runable {
 public:
  MemberFuncRunable(T* object, void (T::*member)()) : object_(object), member_(member) {}
  void run() override { (object_->*member_)(); }

 private:
  T* object_;  // not owned
  void (T::*member_)();
};

template <typename F>
RunablePtr makeTask(F&& function) {
  return RunablePtr(new FunctionRunable<std::decay_t<F>>(std::forward<F>(function)));
}

template <typename T>
RunablePtr makeMemberTask(T* object, void (T::*member)()) {
  return RunablePtr(new MemberFuncRunable<T>(object, member));
}

}  // namespace utility
