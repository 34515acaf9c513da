// SPDX-License-Identifier: MIT
#ifndef VELMORA_WINDOW_WEIXIN_MARKUP_H_
#define VELMORA_WINDOW_WEIXIN_MARKUP_H_

#include <string>

namespace window::weixin {

// The page's WXML, written when the mini program is built: the window (id "Form1"), whose
// taps calculate, holding the labels, the 58 boxes (<input>) in the design's Tab order with
// their texts bound to the page's data (page_data.h), the clear button and the tip for a
// whole number. Boxes and the button catch their own taps; every event goes to the page's
// one handler, onEvent.
std::string PageMarkup();

}  // namespace window::weixin

#endif  // VELMORA_WINDOW_WEIXIN_MARKUP_H_
