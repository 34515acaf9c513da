// SPDX-License-Identifier: MIT
#include "window/look.h"

#include <QStringList>

#include "window/layout.h"
#include "window/texts.h"

namespace window {
namespace {

// Linux has no "宋体": the closest faces are the Ming (Song) styles, compact ones first so
// the title and the boxes show whole at their design sizes.
const QStringList kSongSubstitutes = {"AR PL UMing CN", "Noto Serif CJK SC"};
// A CJK-capable face for everything else, with line heights that fit the small labels.
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

QFont SongFont(double points) {
  static const bool substituted = [] {
    QFont::insertSubstitutions(texts::ToQString(layout::kSongFace), kSongSubstitutes);
    return true;
  }();
  (void)substituted;
  QFont font(texts::ToQString(layout::kSongFace));
  font.setPixelSize(layout::PointsToPixels(points));
  return font;
}

QFont DefaultFont() {
  QFont font;
  font.setFamilies(kDefaultFaces);
  font.setPixelSize(layout::PointsToPixels(layout::kDefaultPoints));
  return font;
}

}  // namespace window
