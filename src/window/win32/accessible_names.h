// SPDX-License-Identifier: MIT
#ifndef VELMORA_WINDOW_WIN32_ACCESSIBLE_NAMES_H_
#define VELMORA_WINDOW_WIN32_ACCESSIBLE_NAMES_H_

#include <windows.h>

#include <string_view>
#include <vector>

struct IAccPropServices;

namespace window::win32 {

// Names controls for screen readers (Narrator, NVDA) through Windows' own accessibility:
// a dynamic annotation of the name alone, so each box keeps the edit control's standard
// value, role and caret. The names are cleared when this ends, before the controls go.
class AccessibleNames {
 public:
  AccessibleNames();
  ~AccessibleNames();
  AccessibleNames(const AccessibleNames&) = delete;
  AccessibleNames& operator=(const AccessibleNames&) = delete;

  // Where Windows offers no annotation (Wine does not), the control keeps the name
  // Windows gives it, and the program goes on.
  void Name(HWND control, std::string_view name);

 private:
  bool com_started_ = false;
  IAccPropServices* services_ = nullptr;
  std::vector<HWND> named_;
};

}  // namespace window::win32

#endif  // VELMORA_WINDOW_WIN32_ACCESSIBLE_NAMES_H_
