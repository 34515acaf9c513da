// SPDX-License-Identifier: MIT
#ifndef VELMORA_WINDOW_WIN32_FORM1_H_
#define VELMORA_WINDOW_WIN32_FORM1_H_

#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "sheet/cell_sheet.h"
#include "window/layout.h"
#include "window/win32/accessible_names.h"
#include "window/win32/gdi_object.h"
#include "window/win32/look.h"

namespace window::win32 {

// The program's one window: the 58 cell boxes, their labels and the clear button, made of
// Windows' own controls and placed by the layout table at the window's DPI. Each box shows
// its sheet cell and turns the user's edits into SetText; the window keeps no copy of the
// cells.
class Form1 {
 public:
  // What the window's events call; each may be left empty.
  struct Events {
    std::function<void()> background_click;  // a click on the background or a label
    std::function<void()> command1_click;    // the clear button
    std::function<void()> query_unload;      // any request to close the window
    std::function<void()> focus_moved;       // before a box's menu takes the messages
  };

  // Binds to `sheet`, which must outlive the window. The window is made hidden, at its
  // size for the DPI of the place Windows gives it.
  explicit Form1(sheet::CellSheet& sheet);
  ~Form1();
  Form1(const Form1&) = delete;
  Form1& operator=(const Form1&) = delete;

  void SetEvents(Events events) { events_ = std::move(events); }

  HWND Handle() const { return window_; }
  HWND Box(sheet::CellId cell) const { return boxes_.at(sheet::CellIndex(cell)); }
  HWND Command1() const { return command1_; }
  // A label by its name and, in the control array Label1, its index.
  HWND Label(std::string_view name, int index = -1) const;
  // The cell `control` shows, if it is one of the boxes.
  std::optional<sheet::CellId> CellOf(HWND control) const;
  int Dpi() const { return dpi_; }

  // Centres the window on its monitor's work area.
  void Centre();

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT Dispatch(UINT message, WPARAM wparam, LPARAM lparam);

  void CreateControls();
  void CreateTooltip();
  void LayOut();
  void ResizeToClient(const RECT* suggested);
  void ShowSheetText(sheet::CellId cell);
  void OnBoxEdited(HWND box, sheet::CellId cell);

  void OnCommand(WPARAM wparam, LPARAM lparam);
  LRESULT OnCtlColor(UINT message, HDC dc);
  void OnMouseButton(UINT message, LPARAM lparam);
  LRESULT OnNotify(const NMHDR* header);
  void OnActivate(WPARAM wparam);
  void OnDpiChanged(int dpi, const RECT* suggested);
  void OnSettingChange();
  void Erase(HDC dc) const;

  sheet::CellSheet& sheet_;
  Events events_;
  HWND window_ = nullptr;
  std::array<HWND, sheet::kCellCount> boxes_{};
  std::array<sheet::CellId, sheet::kCellCount> cells_{};  // by the cell's index, as boxes_
  std::array<HWND, layout::kLabels.size()> labels_{};
  HWND command1_ = nullptr;
  HWND tooltip_ = nullptr;
  HWND focus_before_deactivation_ = nullptr;
  bool background_pressed_ = false;
  int dpi_ = layout::kDesignDpi;
  Look look_;
  GdiObject<HFONT> box_font_;
  GdiObject<HFONT> title_font_;
  GdiObject<HFONT> message_font_;
  std::wstring tooltip_text_;
  AccessibleNames accessible_names_;
  // Cleared when the window goes, so a sheet that outlives it no longer reaches it.
  std::shared_ptr<Form1*> self_;
};

}  // namespace window::win32

#endif  // VELMORA_WINDOW_WIN32_FORM1_H_
