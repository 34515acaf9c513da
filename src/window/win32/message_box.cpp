// SPDX-License-Identifier: MIT
#include "window/win32/message_box.h"

#include <utility>

#include "window/texts.h"
#include "window/win32/utf16.h"

namespace window::win32 {
namespace {

// A message box names its button in Windows' own language: a hook on this thread renames
// it as the box is activated, before it is first shown, then removes itself.
HHOOK hook = nullptr;

LRESULT CALLBACK RenameButton(int code, WPARAM wparam, LPARAM lparam) {
  if (code == HCBT_ACTIVATE) {
    SetDlgItemTextW(reinterpret_cast<HWND>(wparam), IDOK, Widen(texts::kOkButton).c_str());
    UnhookWindowsHookEx(std::exchange(hook, nullptr));
    return 0;
  }
  return CallNextHookEx(hook, code, wparam, lparam);
}

}  // namespace

void ShowWarning(HWND owner, std::string_view caption, std::string_view text) {
  hook = SetWindowsHookExW(WH_CBT, RenameButton, nullptr, GetCurrentThreadId());
  MessageBoxW(owner, Widen(text).c_str(), Widen(caption).c_str(), MB_OK | MB_ICONWARNING);
  if (hook != nullptr) UnhookWindowsHookEx(std::exchange(hook, nullptr));
}

}  // namespace window::win32
