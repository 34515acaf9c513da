// SPDX-License-Identifier: MIT
#include "window/look.h"

#include <QStringList>

#include "window/layout.h"
#include "window/platform_faces.h"
#include "window/texts.h"

namespace window {
namespace {

// Windows may list "宋体" by its English name. Linux has neither: the closest faces are the
// Ming (Song) styles, compact ones first so the title and the boxes show whole at their sizes.
const QStringList kSongSubstitutes = {"SimSun", "AR PL UMing CN", "Noto Serif CJK SC"};

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
  font.setFamilies(DefaultFaces());
  font.setPixelSize(layout::PointsToPixels(layout::kDefaultPoints));
  return font;
}

}  // namespace window
