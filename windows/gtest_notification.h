// SPDX-License-Identifier: MIT
// GoogleTest's Notification takes std::mutex, which the win32-thread MinGW compilers lack;
// this one, on a Windows event, stands in for it. Included first in every GoogleTest build
// for Windows (GTEST_HAS_NOTIFICATION_ tells GoogleTest it exists).
#ifndef VELMORA_WINDOWS_GTEST_NOTIFICATION_H_
#define VELMORA_WINDOWS_GTEST_NOTIFICATION_H_

#include <windows.h>

namespace testing::internal {

class Notification {
 public:
  Notification() : event_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}
  Notification(const Notification&) = delete;
  Notification& operator=(const Notification&) = delete;
  ~Notification() { CloseHandle(event_); }

  void Notify() { SetEvent(event_); }
  void WaitForNotification() { WaitForSingleObject(event_, INFINITE); }

 private:
  HANDLE event_;
};

}  // namespace testing::internal

#endif  // VELMORA_WINDOWS_GTEST_NOTIFICATION_H_
