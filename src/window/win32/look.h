// SPDX-License-Identifier: MIT
#ifndef VELMORA_WINDOW_WIN32_LOOK_H_
#define VELMORA_WINDOW_WIN32_LOOK_H_

#include <windows.h>

#include "window/layout.h"
#include "window/win32/gdi_object.h"

// How the layout table's colours and faces become Windows' brushes and fonts.
namespace window::win32 {

// The window's colours: the design's, or, while Windows' high-contrast mode is on, none of
// its own, so the system's high-contrast colours apply as in Windows' own dialogs.
class Look {
 public:
  Look();

  // Reads the high-contrast setting again.
  void Refresh();

  bool HighContrast() const { return high_contrast_; }
  HBRUSH FormBrush() const;
  // Colours `dc` for a box and returns its background brush.
  HBRUSH PaintBox(HDC dc) const;
  // Colours `dc` for a label or the button's surround and returns the window's brush.
  HBRUSH PaintLabel(HDC dc) const;

 private:
  bool high_contrast_ = false;
  GdiObject<HBRUSH> form_brush_;
  GdiObject<HBRUSH> box_brush_;
};

// The design's "宋体" (Chinese GB2312 character set, regular) at `points`, for `dpi`.
GdiObject<HFONT> SongFont(double points, int dpi);

// The system's message font for `dpi`: every label but the title, and the button.
GdiObject<HFONT> MessageFontFor(int dpi);

COLORREF ToColorRef(layout::Rgb rgb);

}  // namespace window::win32

#endif  // VELMORA_WINDOW_WIN32_LOOK_H_
