// SPDX-License-Identifier: MIT
#include "window/win32/look.h"

#include "window/win32/dpi.h"
#include "window/win32/utf16.h"

namespace window::win32 {

COLORREF ToColorRef(layout::Rgb rgb) {
  return RGB(static_cast<BYTE>(rgb.red), static_cast<BYTE>(rgb.green), static_cast<BYTE>(rgb.blue));
}

// The design's colours never change: their brushes are made once.
Look::Look()
    : form_brush_(CreateSolidBrush(ToColorRef(layout::kFormColour))),
      box_brush_(CreateSolidBrush(ToColorRef(layout::kBoxColour))) {
  Refresh();
}

void Look::Refresh() {
  HIGHCONTRASTW setting{};
  setting.cbSize = sizeof setting;
  high_contrast_ = SystemParametersInfoW(SPI_GETHIGHCONTRAST, setting.cbSize, &setting, 0) &&
                   (setting.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

HBRUSH Look::FormBrush() const {
  // A dialog's own background, in high contrast.
  return high_contrast_ ? GetSysColorBrush(COLOR_BTNFACE) : form_brush_.Get();
}

HBRUSH Look::PaintBox(HDC dc) const {
  if (high_contrast_) {
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    return GetSysColorBrush(COLOR_WINDOW);
  }
  SetTextColor(dc, ToColorRef(layout::kInkColour));
  SetBkColor(dc, ToColorRef(layout::kBoxColour));
  return box_brush_.Get();
}

HBRUSH Look::PaintLabel(HDC dc) const {
  // Transparent, so that the window's own colour shows around each character.
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, high_contrast_ ? GetSysColor(COLOR_BTNTEXT) : ToColorRef(layout::kInkColour));
  return FormBrush();
}

GdiObject<HFONT> SongFont(double points, int dpi) {
  LOGFONTW font{};
  font.lfHeight = -layout::PointsToPixels(points, dpi);
  font.lfWeight = FW_NORMAL;
  font.lfCharSet = GB2312_CHARSET;
  const std::wstring face = Widen(layout::kSongFace);
  face.copy(font.lfFaceName, LF_FACESIZE - 1);
  return GdiObject<HFONT>(CreateFontIndirectW(&font));
}

GdiObject<HFONT> MessageFontFor(int dpi) {
  const LOGFONTW font = MessageFont(dpi);
  return GdiObject<HFONT>(CreateFontIndirectW(&font));
}

}  // namespace window::win32
