// SPDX-License-Identifier: MIT
#ifndef VELMORA_WINDOW_PAGE_TEXT_H_
#define VELMORA_WINDOW_PAGE_TEXT_H_

#include <string>
#include <string_view>

#include "window/layout.h"

// Text for the pages written when they are built: the browser's HTML and CSS, WeChat's WXML
// and WXSS, which share their markup's escaping and their stylesheets' colours and faces.
namespace window::page {

// `text` as it stands in an element or a double-quoted attribute.
std::string Escaped(std::string_view text);

// ` name="value"`, the value escaped.
std::string Attribute(std::string_view name, std::string_view value);

// A colour for a stylesheet: "rgb(255,192,192)".
std::string Css(layout::Rgb colour);

// Typographic points as CSS pixels at the design's density: "12px".
std::string Px(double points);

// The design's Song face, then the Chinese serif faces each platform has in its place.
std::string SongFaces();

// The faces standing in for the window's default font: each platform's Chinese interface face.
std::string DefaultFaces();

}  // namespace window::page

#endif  // VELMORA_WINDOW_PAGE_TEXT_H_
