// SPDX-License-Identifier: MIT
#ifndef VELMORA_WINDOW_WIN32_MESSAGE_BOX_H_
#define VELMORA_WINDOW_WIN32_MESSAGE_BOX_H_

#include <windows.h>

#include <string_view>

namespace window::win32 {

// Shows a warning over `owner` and waits for the user to close it. Its one button reads
// "确定" whatever Windows' language, as the rest of the window does.
void ShowWarning(HWND owner, std::string_view caption, std::string_view text);

}  // namespace window::win32

#endif  // VELMORA_WINDOW_WIN32_MESSAGE_BOX_H_
