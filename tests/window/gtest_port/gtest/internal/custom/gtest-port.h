// GoogleTest's own hook for platform parts. The win32 thread model of MinGW
// has no std::mutex or std::condition_variable, which GoogleTest's
// Notification uses: this one waits on the system's own.
#pragma once

#if defined(_WIN32)
#include <windows.h>

#include <atomic>

#define GTEST_HAS_NOTIFICATION_ 1

namespace testing {
namespace internal {

class Notification {
  public:
    Notification() = default;
    Notification(const Notification&) = delete;
    Notification& operator=(const Notification&) = delete;
    void Notify() { notified_ = true; }
    void WaitForNotification() {
        while (!notified_) {
            Sleep(1);
        }
    }

  private:
    std::atomic<bool> notified_{false};
};

}  // namespace internal
}  // namespace testing
#endif
