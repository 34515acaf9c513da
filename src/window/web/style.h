// SPDX-License-Identifier: MIT
#ifndef VELMORA_WINDOW_WEB_STYLE_H_
#define VELMORA_WINDOW_WEB_STYLE_H_

#include <string>

namespace window::web {

// The page's stylesheet, written from the layout table: each control is placed by its twips
// (the --x, --y, --w, --h it carries, and --nx … for a narrow screen) at 1 twip = 1/15 CSS
// pixel, in the design's colours and faces. On a screen narrower than the window the grid
// keeps its geometry, scaled down only as far as the screen needs, with the typed digits
// never under the design's box size, and the controls right of it go under it.
std::string StyleSheet();

}  // namespace window::web

#endif  // VELMORA_WINDOW_WEB_STYLE_H_
