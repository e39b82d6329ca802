#include "psk/ptt/PttWatchdog.h"

#include <utility>

namespace quillary::psk {

PttWatchdog::PttWatchdog(Clock::duration limit, std::function<void()> onStall)
    : limit_(limit), onStall_(std::move(onStall)) {}

PttWatchdog::~PttWatchdog() { stop(); }

void PttWatchdog::start() {
  std::lock_guard lock(mutex_);
  if (thread_.joinable()) return;
  keyed_ = false;
  tripped_ = false;
  stopping_ = false;
  thread_ = std::thread([this] { run(); });
}

void PttWatchdog::stop() {
  std::thread finished;
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
    finished = std::move(thread_);
  }
  wake_.notify_all();
  if (finished.joinable()) finished.join();
}

void PttWatchdog::fed(bool keyed) {
  bool startsWatching = false;
  {
    std::lock_guard lock(mutex_);
    startsWatching = keyed && !keyed_;
    keyed_ = keyed;
    tripped_ = false;
    lastFed_ = Clock::now();
  }
  if (startsWatching) wake_.notify_all();
}

bool PttWatchdog::tripped() {
  std::lock_guard lock(mutex_);
  return tripped_;
}

void PttWatchdog::run() {
  std::unique_lock lock(mutex_);
  while (!stopping_) {
    if (!keyed_) {
      wake_.wait(lock);
      continue;
    }
    const Clock::time_point due = lastFed_ + limit_;
    if (Clock::now() < due) {
      wake_.wait_until(lock, due);
      continue;
    }
    keyed_ = false;  // one call per stall; a new keyed block arms it again
    tripped_ = true;
    lock.unlock();
    onStall_();
    lock.lock();
  }
}

}  // namespace quillary::psk
