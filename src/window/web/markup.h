// SPDX-License-Identifier: MIT
#ifndef VELMORA_WINDOW_WEB_MARKUP_H_
#define VELMORA_WINDOW_WEB_MARKUP_H_

#include <string>
#include <string_view>

namespace window::web {

// The attribute that names the cell a box shows, by the cell's index.
inline constexpr std::string_view kCellAttribute = "data-cell";

// The page's one form, as HTML written into the page when it is built, so that the boxes
// show and take keys before the program has arrived: the element with id "Form1" holding
// the labels, the 58 boxes (<input>) in the design's Tab order, the clear button and the
// hidden tip for a whole number, each placed by its twips for the stylesheet.
std::string FormMarkup();

}  // namespace window::web

#endif  // VELMORA_WINDOW_WEB_MARKUP_H_
