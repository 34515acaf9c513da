// SPDX-License-Identifier: MIT
#ifndef VELMORA_WINDOW_WEIXIN_APP_CONFIG_H_
#define VELMORA_WINDOW_WEIXIN_APP_CONFIG_H_

#include <string>

namespace window::weixin {

// The mini program's app.json, written when it is built: its one page, and the window's
// caption in the navigation bar in the design's colours.
std::string AppConfig();

}  // namespace window::weixin

#endif  // VELMORA_WINDOW_WEIXIN_APP_CONFIG_H_
