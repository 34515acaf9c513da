// SPDX-License-Identifier: MIT
#ifndef VELMORA_WINDOW_WIN32_UTF16_H_
#define VELMORA_WINDOW_WIN32_UTF16_H_

#include <string>
#include <string_view>

// The program keeps UTF-8; the Windows API takes UTF-16. These two are the only crossings.
namespace window::win32 {

std::wstring Widen(std::string_view utf8);

// A lone surrogate, which a box may hold mid-edit, becomes U+FFFD.
std::string Narrow(std::wstring_view utf16);

}  // namespace window::win32

#endif  // VELMORA_WINDOW_WIN32_UTF16_H_
