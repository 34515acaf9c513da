// SPDX-License-Identifier: MIT
#include "window/win32/form1.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "window/win32/cell_box.h"
#include "window/win32/dpi.h"
#include "window/win32/utf16.h"

namespace window::win32 {
namespace {

using sheet::CellId;

constexpr wchar_t kClassName[] = L"Velmora";
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
// Control ids: never 1 or 2, which the dialog manager sends for Enter and Escape.
constexpr int kFirstBoxId = 100;  // + the cell's index
constexpr int kCommand1Id = 200;
constexpr int kFirstLabelId = 300;  // + the label's row in the layout table

HMENU ControlId(int id) { return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)); }

// Twips to a rectangle in pixels at `dpi`; both edges are rounded, so boxes that share a
// border line in twips share it in pixels.
RECT Place(int left, int top, int width, int height, int dpi) {
  using layout::TwipsToPixels;
  return {TwipsToPixels(left, dpi), TwipsToPixels(top, dpi), TwipsToPixels(left + width, dpi),
          TwipsToPixels(top + height, dpi)};
}

// Neighbouring columns overlap, and the design draws each column over the one on its left.
// Windows stacks controls in their Tab order, which would put the left column on top and
// hide the start of every number to its right: each box is cut instead to the part of it
// that shows, keeping one shared border line as the rows do.
int VisibleWidth(std::size_t column) {
  const auto& box = layout::kBoxColumns[column];
  if (column + 1 == layout::kBoxColumns.size()) return box.width;
  constexpr int kBorderLine = layout::kBoxHeight - layout::kRowStep;
  return std::min(box.width, layout::kBoxColumns[column + 1].left + kBorderLine - box.left);
}

void Move(HWND control, RECT rect) {
  MoveWindow(control, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, FALSE);
}

void SetFont(HWND control, HFONT font) {
  SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

// Enter on the focused button would press it through the dialog manager: the button takes
// the key itself, and a push button ignores it, so a stray Enter never clears the sheet.
LRESULT CALLBACK Command1Proc(HWND button, UINT message, WPARAM wparam, LPARAM lparam,
                              UINT_PTR /*subclass*/, DWORD_PTR /*data*/) {
  if (message == WM_GETDLGCODE && lparam != 0) {
    const auto* key = reinterpret_cast<const MSG*>(lparam);
    if (key->message == WM_KEYDOWN && key->wParam == VK_RETURN) {
      return DefSubclassProc(button, message, wparam, lparam) | DLGC_WANTMESSAGE;
    }
  }
  if (message == WM_NCDESTROY) RemoveWindowSubclass(button, Command1Proc, 0);
  return DefSubclassProc(button, message, wparam, lparam);
}

void RegisterClassOnce(WNDPROC window_proc) {
  static const bool registered = [window_proc] {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof window_class;
    window_class.lpfnWndProc = window_proc;
    window_class.hInstance = instance;
    window_class.hIcon = static_cast<HICON>(
        LoadImageW(instance, L"IDI_ICON1", IMAGE_ICON, GetSystemMetrics(SM_CXICON),
                   GetSystemMetrics(SM_CYICON), LR_DEFAULTCOLOR));
    window_class.hIconSm = static_cast<HICON>(
        LoadImageW(instance, L"IDI_ICON1", IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                   GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
    window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    window_class.lpszClassName = kClassName;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    return RegisterClassExW(&window_class) != 0;
  }();
  (void)registered;
}

}  // namespace

Form1::Form1(sheet::CellSheet& sheet) : sheet_(sheet), self_(std::make_shared<Form1*>(this)) {
  RegisterClassOnce(&Form1::WindowProc);
  CreateWindowExW(0, kClassName, Widen(layout::kFormCaption).c_str(), kStyle, CW_USEDEFAULT,
                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                  GetModuleHandleW(nullptr), this);
  dpi_ = WindowDpi(window_);
  CreateControls();
  CreateTooltip();
  LayOut();
  ResizeToClient(nullptr);

  sheet_.AddChangeListener([self = self_](CellId cell) {
    if (*self != nullptr) (*self)->ShowSheetText(cell);
  });
  SetFocus(Box({sheet::Column::Text1, 0}));
}

Form1::~Form1() {
  *self_ = nullptr;
  if (window_ != nullptr) {
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
  }
}

HWND Form1::Label(std::string_view name, int index) const {
  for (std::size_t row = 0; row < layout::kLabels.size(); ++row) {
    if (layout::kLabels[row].name == name && layout::kLabels[row].index == index) {
      return labels_[row];
    }
  }
  return nullptr;
}

std::optional<CellId> Form1::CellOf(HWND control) const {
  if (control == nullptr || GetParent(control) != window_) return std::nullopt;
  const int index = GetDlgCtrlID(control) - kFirstBoxId;
  if (index < 0 || index >= sheet::kCellCount) return std::nullopt;
  return cells_[static_cast<std::size_t>(index)];
}

void Form1::CreateControls() {
  // The dialog manager's Tab follows the order the controls were made in.
  for (const CellId cell : layout::TabOrder()) {
    const std::size_t index = sheet::CellIndex(cell);
    const HWND box = CreateCellBox(window_, kFirstBoxId + static_cast<int>(index));
    boxes_[index] = box;
    cells_[index] = cell;
    accessible_names_.Name(box, layout::AccessibleName(cell));
  }
  const auto& button = layout::kCommand1;
  command1_ = CreateWindowExW(0, L"BUTTON", Widen(button.caption).c_str(),
                              WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 0, 0, 0,
                              window_, ControlId(kCommand1Id), GetModuleHandleW(nullptr), nullptr);
  SetWindowSubclass(command1_, Command1Proc, 0, 0);
  for (std::size_t row = 0; row < layout::kLabels.size(); ++row) {
    const auto& label = layout::kLabels[row];
    // No SS_NOTIFY: a click on a label passes through to the window beneath, and
    // calculates as a click on the background does.
    const DWORD wrap = label.wraps ? SS_LEFT : SS_LEFTNOWORDWRAP;
    labels_[row] = CreateWindowExW(0, L"STATIC", Widen(label.caption).c_str(),
                                   WS_CHILD | WS_VISIBLE | SS_NOPREFIX | wrap, 0, 0, 0, 0, window_,
                                   ControlId(kFirstLabelId + static_cast<int>(row)),
                                   GetModuleHandleW(nullptr), nullptr);
  }
}

void Form1::CreateTooltip() {
  tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                             WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
  for (HWND box : boxes_) {
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = window_;
    tool.uId = reinterpret_cast<UINT_PTR>(box);
    tool.lpszText = LPSTR_TEXTCALLBACKW;
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
}

void Form1::LayOut() {
  box_font_ = SongFont(layout::kBoxPoints, dpi_);
  title_font_ = SongFont(layout::kTitlePoints, dpi_);
  message_font_ = MessageFontFor(dpi_);
  for (std::size_t index = 0; index < layout::kBoxColumns.size(); ++index) {
    const auto& column = layout::kBoxColumns[index];
    const int width = VisibleWidth(index);
    for (int row = 0; row < sheet::kRowCount; ++row) {
      const HWND box = Box({column.column, row});
      Move(box, Place(column.left, layout::kFirstRowTop + layout::kRowStep * row, width,
                      layout::kBoxHeight, dpi_));
      SetFont(box, box_font_.Get());
    }
  }
  for (const auto& total : layout::kTotalBoxes) {
    const HWND box = Box({total.column});
    Move(box, Place(total.left, total.top, total.width, total.height, dpi_));
    SetFont(box, box_font_.Get());
  }
  for (std::size_t row = 0; row < layout::kLabels.size(); ++row) {
    const auto& label = layout::kLabels[row];
    Move(labels_[row], Place(label.left, label.top, label.width, label.height, dpi_));
    SetFont(labels_[row],
            label.name == layout::kTitleLabel ? title_font_.Get() : message_font_.Get());
  }
  const auto& button = layout::kCommand1;
  Move(command1_, Place(button.left, button.top, button.width, button.height, dpi_));
  SetFont(command1_, message_font_.Get());
  // A long number wraps in its tooltip rather than running off the screen.
  SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, MulDiv(400, dpi_, layout::kDesignDpi));
  InvalidateRect(window_, nullptr, TRUE);
}

void Form1::ResizeToClient(const RECT* suggested) {
  const int width = layout::TwipsToPixels(layout::kClientWidth, dpi_);
  const int height = layout::TwipsToPixels(layout::kClientHeight, dpi_);
  RECT outer = WindowRectFor({0, 0, width, height}, kStyle, 0, dpi_);
  const int x = suggested != nullptr ? suggested->left : 0;
  const int y = suggested != nullptr ? suggested->top : 0;
  const UINT keep_place = suggested != nullptr ? 0 : SWP_NOMOVE;
  SetWindowPos(window_, nullptr, x, y, outer.right - outer.left, outer.bottom - outer.top,
               SWP_NOZORDER | SWP_NOACTIVATE | keep_place);
  // The frame Windows actually draws may differ from the one computed (a theme, a DPI the
  // frame has not taken yet): the client area is what must come out exact.
  RECT client;
  GetClientRect(window_, &client);
  if (client.right == width && client.bottom == height) return;
  GetWindowRect(window_, &outer);
  SetWindowPos(window_, nullptr, 0, 0, outer.right - outer.left + width - client.right,
               outer.bottom - outer.top + height - client.bottom,
               SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
}

void Form1::Centre() {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(window_, MONITOR_DEFAULTTOPRIMARY), &monitor);
  RECT outer;
  GetWindowRect(window_, &outer);
  const RECT& work = monitor.rcWork;
  const LONG width = outer.right - outer.left;
  const LONG height = outer.bottom - outer.top;
  SetWindowPos(window_, nullptr, work.left + (work.right - work.left - width) / 2,
               work.top + (work.bottom - work.top - height) / 2, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form1::ShowSheetText(CellId cell) { ShowInBox(Box(cell), Widen(sheet_.GetText(cell))); }

void Form1::OnBoxEdited(HWND box, CellId cell) {
  sheet_.SetText(cell, Narrow(BoxText(box)));
  // The cell may keep less than the box holds (past the length limit, or a lone surrogate)
  // with no change to tell: show what it kept.
  ShowSheetText(cell);
}

LRESULT CALLBACK Form1::WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  // The window's state is this object, reached from the window through its user data.
  if (message == WM_NCCREATE) {
    auto* created = static_cast<Form1*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
    created->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
  }
  auto* form = reinterpret_cast<Form1*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (form == nullptr) return DefWindowProcW(window, message, wparam, lparam);
  return form->Dispatch(message, wparam, lparam);
}

LRESULT Form1::Dispatch(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(wparam, lparam);
      return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return OnCtlColor(message, reinterpret_cast<HDC>(wparam));
    case WM_ERASEBKGND:
      Erase(reinterpret_cast<HDC>(wparam));
      return 1;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
      OnMouseButton(message, lparam);
      return 0;
    case WM_CAPTURECHANGED:
      background_pressed_ = false;
      return 0;
    case WM_NOTIFY:
      return OnNotify(reinterpret_cast<const NMHDR*>(lparam));
    case WM_ACTIVATE:
      OnActivate(wparam);
      return 0;
    case WM_DPICHANGED:
      OnDpiChanged(HIWORD(wparam), reinterpret_cast<const RECT*>(lparam));
      return 0;
    case WM_SETTINGCHANGE:
    case WM_SYSCOLORCHANGE:
    case WM_THEMECHANGED:
      OnSettingChange();
      break;
    case WM_CLOSE:
      if (events_.query_unload) events_.query_unload();
      return 0;
    case kFocusMovedMessage:
      if (events_.focus_moved) events_.focus_moved();
      return 0;
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_ENDSESSION:
      if (wparam != 0 && events_.query_unload) events_.query_unload();
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window_, message, wparam, lparam);
}

void Form1::OnCommand(WPARAM wparam, LPARAM lparam) {
  // Enter and Escape arrive as IDOK and IDCANCEL, which no control has: both do nothing.
  const auto control = reinterpret_cast<HWND>(lparam);
  const UINT code = HIWORD(wparam);
  if (control == command1_ && code == BN_CLICKED) {
    if (events_.command1_click) events_.command1_click();
    return;
  }
  if (code == EN_CHANGE) {
    if (const auto cell = CellOf(control)) OnBoxEdited(control, *cell);
  }
}

LRESULT Form1::OnCtlColor(UINT message, HDC dc) {
  if (message == WM_CTLCOLOREDIT) return reinterpret_cast<LRESULT>(look_.PaintBox(dc));
  return reinterpret_cast<LRESULT>(look_.PaintLabel(dc));
}

void Form1::Erase(HDC dc) const {
  RECT client;
  GetClientRect(window_, &client);
  FillRect(dc, &client, look_.FormBrush());
}

void Form1::OnMouseButton(UINT message, LPARAM lparam) {
  if (message == WM_LBUTTONDOWN) {
    background_pressed_ = true;
    SetCapture(window_);
    return;
  }
  // A click is a press and a release on the background; dragging off it cancels.
  const bool click = background_pressed_;
  background_pressed_ = false;
  ReleaseCapture();
  RECT client;
  GetClientRect(window_, &client);
  if (click && PtInRect(&client, {GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)}) &&
      events_.background_click) {
    events_.background_click();
  }
}

LRESULT Form1::OnNotify(const NMHDR* header) {
  if (header->hwndFrom != tooltip_ || header->code != TTN_GETDISPINFOW) return 0;
  auto* info = reinterpret_cast<NMTTDISPINFOW*>(const_cast<NMHDR*>(header));
  const auto box = reinterpret_cast<HWND>(header->idFrom);
  // A text that shows whole needs no tooltip; an empty one shows none.
  tooltip_text_ = TextFits(box) ? std::wstring() : BoxText(box);
  info->lpszText = tooltip_text_.data();
  return 0;
}

void Form1::OnActivate(WPARAM wparam) {
  // As a dialog does: the focus leaves with the window and comes back to the same box.
  if (LOWORD(wparam) == WA_INACTIVE) {
    focus_before_deactivation_ = GetFocus();
  } else if (focus_before_deactivation_ != nullptr && IsWindow(focus_before_deactivation_)) {
    SetFocus(focus_before_deactivation_);
  }
}

void Form1::OnDpiChanged(int dpi, const RECT* suggested) {
  dpi_ = dpi;
  LayOut();
  ResizeToClient(suggested);
  // The controls moved and took new fonts with redrawing off; the window clips its children,
  // so each must repaint itself.
  RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void Form1::OnSettingChange() {
  look_.Refresh();
  LayOut();
  // Common controls repaint in new system colours only when told.
  SendMessageW(tooltip_, WM_SYSCOLORCHANGE, 0, 0);
  RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

}  // namespace window::win32
