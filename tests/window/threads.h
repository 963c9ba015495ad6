#pragma once

// The shipped build uses MinGW's win32 thread model, which has no std::thread
// or std::mutex: the window tests run their dialogs on the system's threads.

#include <windows.h>

#include <functional>
#include <utility>

namespace window_test {

class Mutex {
  public:
    Mutex() { InitializeCriticalSection(&section_); }
    ~Mutex() { DeleteCriticalSection(&section_); }
    Mutex(const Mutex&) = delete;
    Mutex& operator=(const Mutex&) = delete;
    void lock() { EnterCriticalSection(&section_); }
    void unlock() { LeaveCriticalSection(&section_); }

  private:
    CRITICAL_SECTION section_;
};

class Guard {
  public:
    explicit Guard(Mutex& mutex) : mutex_(mutex) { mutex_.lock(); }
    ~Guard() { mutex_.unlock(); }
    Guard(const Guard&) = delete;
    Guard& operator=(const Guard&) = delete;

  private:
    Mutex& mutex_;
};

class Thread {
  public:
    Thread() = default;
    explicit Thread(std::function<void()> body) : body_(std::move(body)) {
        handle_ = CreateThread(nullptr, 0, &Thread::Run, this, 0, nullptr);
    }
    ~Thread() { join(); }
    Thread(const Thread&) = delete;
    Thread& operator=(const Thread&) = delete;

    bool joinable() const { return handle_ != nullptr; }
    void join() {
        if (handle_ != nullptr) {
            WaitForSingleObject(handle_, INFINITE);
            CloseHandle(handle_);
            handle_ = nullptr;
        }
    }

    // Ends a thread that is stuck, so that a failing test can end cleanly.
    void terminate() {
        if (handle_ != nullptr && WaitForSingleObject(handle_, 0) == WAIT_TIMEOUT) {
            TerminateThread(handle_, 1);
        }
        join();
    }

  private:
    static DWORD WINAPI Run(void* self) {
        static_cast<Thread*>(self)->body_();
        return 0;
    }
    std::function<void()> body_;
    HANDLE handle_ = nullptr;
};

}  // namespace window_test
