// SPDX-License-Identifier: MIT
#ifndef VELMORA_WINDOW_QT_LOOK_H_
#define VELMORA_WINDOW_QT_LOOK_H_

#include <QFont>
#include <QPalette>
#include <QRect>
#include <QWidget>

#include "window/layout.h"

// How the layout table's numbers become Qt's: twips to pixels, colours, fonts.
namespace window::qt {

// A rectangle given in twips, in logical pixels.
QRect Place(int left, int top, int width, int height);

// Gives `widget` the colour `rgb` in `role` of its palette.
void SetColour(QWidget* widget, QPalette::ColorRole role, layout::Rgb rgb);

// Gives `window` and everything in it the design's text colours, tooltips' included, so its
// texts stay dark on its light colours whatever the desktop's theme.
void SetDesignInk(QWidget* window);

// The design's "宋体" at `points`, sized in pixels at 96 dots per inch; on Linux a Ming
// (Song) face stands in for it.
QFont SongFont(double points);

// The window's own font, which every label but the title and the button inherit: a
// CJK-capable face at the size the layout was drawn for.
QFont DefaultFont();

}  // namespace window::qt

#endif  // VELMORA_WINDOW_QT_LOOK_H_
