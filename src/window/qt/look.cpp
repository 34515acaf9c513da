// SPDX-License-Identifier: MIT
#include "window/qt/look.h"

#include <QStringList>

#include "window/layout.h"
#include "window/qt/qt_texts.h"

namespace window::qt {
namespace {

// "宋体" may be listed by its English name. Linux desktops have neither: the closest faces
// are the Ming (Song) styles, compact ones first so the title and the boxes show whole.
const QStringList kSongSubstitutes = {"SimSun", "AR PL UMing CN", "Noto Serif CJK SC"};
// Linux desktops have no default face of the design's: a compact CJK face stands in, with
// line heights that fit the small labels.
const QStringList kDefaultFaces = {"WenQuanYi Micro Hei", "Noto Sans CJK SC"};

}  // namespace

QRect Place(int left, int top, int width, int height) {
  using layout::TwipsToPixels;
  return {TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height)};
}

void SetColour(QWidget* widget, QPalette::ColorRole role, layout::Rgb rgb) {
  QPalette palette = widget->palette();
  palette.setColor(role, QColor(rgb.red, rgb.green, rgb.blue));
  widget->setPalette(palette);
}

void SetDesignInk(QWidget* window) {
  for (const auto role :
       {QPalette::WindowText, QPalette::Text, QPalette::ButtonText, QPalette::ToolTipText}) {
    SetColour(window, role, layout::kInkColour);
  }
  SetColour(window, QPalette::Highlight, layout::kSelectionColour);
  SetColour(window, QPalette::HighlightedText, layout::kSelectedInkColour);
  SetColour(window, QPalette::ToolTipBase, layout::kTooltipColour);
}

QFont SongFont(double points) {
  static const bool substituted = [] {
    QFont::insertSubstitutions(ToQString(layout::kSongFace), kSongSubstitutes);
    return true;
  }();
  (void)substituted;
  QFont font(ToQString(layout::kSongFace));
  font.setPixelSize(layout::PointsToPixels(points));
  return font;
}

QFont DefaultFont() {
  QFont font;
  font.setFamilies(kDefaultFaces);
  font.setPixelSize(layout::PointsToPixels(layout::kDefaultPoints));
  return font;
}

}  // namespace window::qt
