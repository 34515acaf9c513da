// SPDX-License-Identifier: MIT
#ifndef VELMORA_WINDOW_WEIXIN_STYLE_H_
#define VELMORA_WINDOW_WEIXIN_STYLE_H_

#include <string>

namespace window::weixin {

// The page's WXSS, written from the layout table when the mini program is built: the
// design's narrow arrangement (a phone's), its twips in rpx so that the grid fills the
// screen's width, each grid row stretched to a finger's height, in the design's colours and
// faces. Class selectors only, which every page and component stylesheet allows.
std::string PageStyle();

}  // namespace window::weixin

#endif  // VELMORA_WINDOW_WEIXIN_STYLE_H_
