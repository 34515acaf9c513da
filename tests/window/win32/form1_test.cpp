// SPDX-License-Identifier: MIT
// The native window as a user meets it: real windows on a virtual display, driven with the
// messages that keys, pastes and clicks produce, checked by what the window then shows.
#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, which they need.
#include <commctrl.h>
#include <imm.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "program.h"
#include "window/layout.h"
#include "window/win32/utf16.h"

namespace {

using sheet::CellId;
using sheet::Column;
using window::win32::Narrow;
using window::win32::Widen;

constexpr CellId kLength0{Column::Text1, 0};

class Form1Test : public testing::Test {
 protected:
  void SetUp() override { p_ = std::make_unique<Program>(); }
  void FillWorkedRow() {
    for (const auto& [column, text] : {std::pair{Column::Text1, "4"},
                                       {Column::Text2, "200"},
                                       {Column::Text3, "50"},
                                       {Column::Text4, "10"},
                                       {Column::Text6, "1500"}}) {
      p_->TypeInto({column, 0}, text);
    }
  }
  Program& p() { return *p_; }
  std::unique_ptr<Program> p_;
};

RECT ClientRectIn(HWND control, HWND window) {
  RECT rect;
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

LOGFONTW FontOf(HWND control) {
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font, &font);
  return font;
}

COLORREF PixelAt(HWND window, POINT at) {
  RedrawWindow(window, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  const HDC dc = GetDC(window);
  const COLORREF colour = GetPixel(dc, at.x, at.y);
  ReleaseDC(window, dc);
  return colour;
}

// The window's client area as it shows, children included, without repainting it.
std::vector<COLORREF> Picture(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  const HDC dc = GetDCEx(window, nullptr, DCX_CACHE);  // not clipped to exclude children
  std::vector<COLORREF> pixels;
  for (LONG y = 0; y < client.bottom; y += 2) {
    for (LONG x = 0; x < client.right; x += 2) pixels.push_back(GetPixel(dc, x, y));
  }
  ReleaseDC(window, dc);
  return pixels;
}

std::pair<DWORD, DWORD> Selection(HWND box) {
  DWORD start = 0;
  DWORD end = 0;
  SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return {start, end};
}

TEST_F(Form1Test, PlacesTheControlsAtTheTablesTwipsForTheWindowsDpi) {
  Program& p = this->p();
  RECT client;
  GetClientRect(p.form.Handle(), &client);
  EXPECT_EQ(client.right, 549);
  EXPECT_EQ(client.bottom, 359);
  const struct {
    const char* name;
    HWND control;
    RECT want;
  } cases[] = {
      {"length, row 1", p.Box(kLength0), {32, 80, 81, 105}},
      // Cut where the next column starts drawing over it, less one shared border line.
      {"width, row 8", p.Box({Column::Text2, 7}), {80, 248, 129, 273}},
      {"volume, row 1", p.Box({Column::Text5, 0}), {224, 80, 289, 105}},
      {"amount, row 8, the last column whole", p.Box({Column::Text7, 7}), {336, 248, 401, 273}},
      {"total amount", p.Box({Column::Text9}), {336, 280, 401, 305}},
      {"title", p.form.Label("Label2"), {152, 8, 361, 41}},
      {"instructions", p.form.Label("Label4"), {440, 144, 521, 345}},
      {"clear button", p.form.Command1(), {448, 104, 513, 137}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const RECT got = ClientRectIn(c.control, p.form.Handle());
    EXPECT_EQ(got.left, c.want.left);
    EXPECT_EQ(got.top, c.want.top);
    EXPECT_EQ(got.right, c.want.right);
    EXPECT_EQ(got.bottom, c.want.bottom);
  }
}

TEST_F(Form1Test, ChoosesTheFontsAndScalesThemWithTheDpi) {
  Program& p = this->p();
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0);
  const std::wstring message_face = metrics.lfMessageFont.lfFaceName;
  for (const int dpi : {96, 144}) {
    SCOPED_TRACE(dpi);
    if (dpi != 96) {
      RECT suggested;
      GetWindowRect(p.form.Handle(), &suggested);
      SendMessageW(p.form.Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                   reinterpret_cast<LPARAM>(&suggested));
      RECT client;
      GetClientRect(p.form.Handle(), &client);
      EXPECT_EQ(client.right, 824);
      EXPECT_EQ(client.bottom, 539);
    }
    const struct {
      const char* name;
      HWND control;
      std::wstring face;
      LONG height;  // in pixels at this DPI
    } cases[] = {
        {"a box", p.Box({Column::Text4, 5}), L"宋体", dpi == 96 ? -14 : -21},
        {"a total", p.Box({Column::Text8}), L"宋体", dpi == 96 ? -14 : -21},
        {"the title", p.form.Label("Label2"), L"宋体", dpi == 96 ? -29 : -44},
        {"a heading", p.form.Label("Label1", 2), message_face,
         MulDiv(metrics.lfMessageFont.lfHeight, dpi, 96)},
        {"the button", p.form.Command1(), message_face,
         MulDiv(metrics.lfMessageFont.lfHeight, dpi, 96)},
    };
    for (const auto& c : cases) {
      SCOPED_TRACE(c.name);
      const LOGFONTW font = FontOf(c.control);
      EXPECT_EQ(std::wstring(font.lfFaceName), c.face);
      EXPECT_EQ(font.lfHeight, c.height);
      if (c.face == L"宋体") {
        EXPECT_EQ(font.lfCharSet, GB2312_CHARSET);
      }
      // The face Windows picked has the Chinese glyphs: nothing shows as boxes.
      const HDC dc = GetDC(c.control);
      const HGDIOBJ old =
          SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(c.control, WM_GETFONT, 0, 0)));
      WORD glyphs[3] = {};
      GetGlyphIndicesW(dc, L"长积额", 3, glyphs, GGI_MARK_NONEXISTING_GLYPHS);
      SelectObject(dc, old);
      ReleaseDC(c.control, dc);
      for (const WORD glyph : glyphs) EXPECT_NE(glyph, 0xFFFF);
    }
  }
}

TEST_F(Form1Test, PaintsTheDesignsColours) {
  Program& p = this->p();
  p.TypeInto(kLength0, "8888888");
  const COLORREF pink = RGB(255, 192, 192);
  const COLORREF peach = RGB(255, 224, 192);
  const struct {
    const char* name;
    HWND window;
    POINT at;
    COLORREF want;
  } cases[] = {
      {"the background", p.form.Handle(), {5, 5}, pink},
      {"inside an empty box", p.Box({Column::Text3, 4}), {30, 12}, peach},
      {"inside a total", p.Box({Column::Text9}), {50, 12}, peach},
      {"around the title's letters", p.form.Label("Label2"), {200, 2}, pink},
      {"around the instructions", p.form.Label("Label4"), {78, 195}, pink},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(PixelAt(c.window, c.at), c.want);
  }
  // The typed digits are drawn in the design's black ink (smoothed at their edges).
  RedrawWindow(p.Box(kLength0), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  const HDC dc = GetDC(p.Box(kLength0));
  int darkest = 255;
  for (int x = 2; x < 40; ++x) {
    for (int y = 2; y < 20; ++y) {
      const COLORREF pixel = GetPixel(dc, x, y);
      darkest =
          std::min<int>(darkest, std::max({GetRValue(pixel), GetGValue(pixel), GetBValue(pixel)}));
    }
  }
  ReleaseDC(p.Box(kLength0), dc);
  EXPECT_LT(darkest, 64);
}

TEST_F(Form1Test, HighContrastTakesTheSystemsColours) {
  HIGHCONTRASTW before{};
  before.cbSize = sizeof before;
  SystemParametersInfoW(SPI_GETHIGHCONTRAST, before.cbSize, &before, 0);
  HIGHCONTRASTW on = before;
  on.dwFlags |= HCF_HIGHCONTRASTON;
  if (!SystemParametersInfoW(SPI_SETHIGHCONTRAST, on.cbSize, &on, 0)) {
    GTEST_SKIP() << "this Windows cannot switch high contrast on";
  }
  HIGHCONTRASTW now{};
  now.cbSize = sizeof now;
  SystemParametersInfoW(SPI_GETHIGHCONTRAST, now.cbSize, &now, 0);
  if ((now.dwFlags & HCF_HIGHCONTRASTON) == 0) {
    GTEST_SKIP() << "this Windows does not keep high contrast on";
  }
  Program& p = this->p();
  SendMessageW(p.form.Handle(), WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
  EXPECT_EQ(PixelAt(p.form.Handle(), {5, 5}), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(PixelAt(p.Box({Column::Text3, 4}), {30, 12}), GetSysColor(COLOR_WINDOW));
  SystemParametersInfoW(SPI_SETHIGHCONTRAST, before.cbSize, &before, 0);
  SendMessageW(p.form.Handle(), WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
  EXPECT_EQ(PixelAt(p.form.Handle(), {5, 5}), RGB(255, 192, 192));
}

TEST_F(Form1Test, EditsReachTheSheetAndTheBoxShowsWhatTheCellKept) {
  const std::string long_text(5000, '7');
  std::string emoji;
  for (int i = 0; i < 1500; ++i) emoji += "😀";
  const struct {
    const char* name;
    bool paste;
    std::string input;
    std::string shown;
  } cases[] = {
      {"typed digits keep their order", false, "200", "200"},
      {"a decimal number", false, "2.5", "2.5"},
      {"Chinese text", false, "长度", "长度"},
      {"a paste", true, "12abc", "12abc"},
      {"a long paste keeps its first 1,000 characters", true, long_text, long_text.substr(0, 1000)},
      {"so does one of characters beyond the basic plane", true, emoji,
       emoji.substr(0, std::size_t{4} * 1000)},
      // Windows types each as two WM_CHAR halves.
      {"characters beyond the basic plane typed", false, "1😀2𠀀3", "1😀2𠀀3"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Program& p = this->p();
    p.Click(p.Box({Column::Text2, 1}));
    if (c.paste) {
      p.Paste(c.input);
    } else {
      p.Type(c.input);
    }
    EXPECT_EQ(p.sheet.GetText({Column::Text2, 1}), c.shown);
    EXPECT_EQ(p.Shown({Column::Text2, 1}), c.shown);
    p_ = std::make_unique<Program>();
  }
}

TEST_F(Form1Test, ClicksCalculateOnTheBackgroundAndLabelsOnly) {
  Program& p = this->p();
  FillWorkedRow();
  p.Click(p.Box({Column::Text5, 0}));
  p.Click(p.Box({Column::Text6, 2}));
  EXPECT_EQ(p.Shown({Column::Text5, 0}), "");
  p.Click(p.form.Label("Label4"));
  EXPECT_EQ(p.Shown({Column::Text5, 0}), "0.4000");
  p.Click(p.form.Command1());
  EXPECT_EQ(p.Shown({Column::Text5, 0}), "");
  FillWorkedRow();
  // A press on the background released outside the window is no click.
  PostMessageW(p.form.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  PostMessageW(p.form.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(600, 5));
  p.Pump();
  EXPECT_EQ(p.Shown({Column::Text9}), "");
  p.ClickBackground();
  EXPECT_EQ(p.Shown({Column::Text5, 0}), "0.4000");
  EXPECT_EQ(p.Shown({Column::Text7, 0}), "600.00");
  EXPECT_EQ(p.Shown({Column::Text8}), "0.4000");
  EXPECT_EQ(p.Shown({Column::Text9}), "600.0000");
  EXPECT_EQ(p.Shown({Column::Text5, 1}), "");
}

TEST_F(Form1Test, TheButtonClearsEveryBoxAndTheNextClickWritesBlanks) {
  Program& p = this->p();
  FillWorkedRow();
  p.TypeInto({Column::Text7, 4}, "77");
  p.ClickBackground();
  p.Click(p.form.Command1());
  p.ClickBackground();
  for (const CellId cell : window::layout::TabOrder()) {
    SCOPED_TRACE(window::layout::AccessibleName(cell));
    EXPECT_EQ(p.Shown(cell), "");
  }
}

TEST_F(Form1Test, EnterAndEscapeNeverClear) {
  Program& p = this->p();
  FillWorkedRow();
  for (const bool on_button : {false, true}) {
    SCOPED_TRACE(on_button ? "on the button" : "in a box");
    if (on_button) SetFocus(p.form.Command1());
    for (const WORD key : {WORD{VK_RETURN}, WORD{VK_ESCAPE}}) p.Key(key);
    EXPECT_EQ(p.Shown({Column::Text6, 0}), "1500");
    EXPECT_TRUE(IsWindowVisible(p.form.Handle()));
  }
}

TEST_F(Form1Test, TabGoesAcrossEachRowThenDownTheResultsAndShiftTabBack) {
  Program& p = this->p();
  std::vector<std::string> forward = {p.FocusName()};
  for (int step = 0; step < 59; ++step) {
    p.Key(VK_TAB);
    forward.push_back(p.FocusName());
  }
  const struct {
    const char* name;
    std::size_t position;
    std::string want;
  } cases[] = {
      {"the start", 0, "长 第1行"},           {"across row 1", 4, "单价 第1行"},
      {"row 2 next", 5, "长 第2行"},          {"the last input", 39, "单价 第8行"},
      {"down the results", 40, "材积 第1行"}, {"its amount", 41, "金额 第1行"},
      {"the totals", 56, "合计材积"},         {"", 57, "合计金额"},
      {"the button", 58, "清除数据"},         {"round to the start", 59, "长 第1行"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(forward[c.position], c.want);
  }
  p.Key(VK_TAB, true);
  EXPECT_EQ(p.FocusName(), "清除数据");
  p.Key(VK_TAB, true);
  EXPECT_EQ(p.FocusName(), "合计金额");
}

TEST_F(Form1Test, FocusRuleSelectsOnArrivalInAnotherColumnOnly) {
  constexpr int kTab = -1;
  constexpr int kSome = -1;  // part of the text, not all of it
  const int drag = GetSystemMetrics(SM_CXDRAG);
  const struct {
    const char* name;
    CellId from, to;
    int move;  // pixels the mouse moves between press and release, or kTab
    int selected;
  } cases[] = {
      {"tab to the next column", {Column::Text1, 0}, {Column::Text2, 0}, kTab, 5},
      {"click into another column", {Column::Text1, 0}, {Column::Text2, 0}, 0, 5},
      {"click moving within the drag distance", {Column::Text1, 0}, {Column::Text2, 0}, drag, 5},
      {"drag into another column selects what it drags over",
       {Column::Text1, 0},
       {Column::Text2, 0},
       drag + 20,
       kSome},
      {"click within a column", {Column::Text1, 0}, {Column::Text1, 3}, 0, 0},
      {"click into a total", {Column::Text1, 0}, {Column::Text9}, 0, 5},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    p_ = std::make_unique<Program>();
    Program& p = this->p();
    p.TypeInto(c.to, "12345");
    p.TypeInto(c.from, "9");
    if (c.move == kTab) {
      p.Key(VK_TAB);
    } else {
      p.Click(p.Box(c.to), {4, 10}, c.move);
    }
    ASSERT_EQ(p.Focus(), p.Box(c.to));
    const auto [start, end] = Selection(p.Box(c.to));
    if (c.selected == kSome) {
      EXPECT_GT(end - start, 0U);
      EXPECT_LT(end - start, 5U);
    } else {
      EXPECT_EQ(end - start, static_cast<DWORD>(c.selected));
    }
  }
}

TEST_F(Form1Test, KeysTypedAheadOfTheFocusRuleAreKept) {
  Program& p = this->p();
  p.TypeInto({Column::Text2, 0}, "999");
  p.Click(p.Box(kLength0));
  // A fast typist's Tab and digits, all waiting in the queue at once: Windows gives each key
  // to the box that has the focus when the program takes it, the Tab's box for the digits.
  PostMessageW(p.Focus(), WM_KEYDOWN, VK_TAB, 1);
  for (const wchar_t digit : {L'5', L'0'}) {
    PostMessageW(p.Box({Column::Text2, 0}), WM_CHAR, digit, 1);
  }
  p.Pump();
  EXPECT_EQ(p.Focus(), p.Box({Column::Text2, 0}));
  EXPECT_EQ(p.Shown({Column::Text2, 0}), "50");
}

TEST_F(Form1Test, ComingBackFromTheButtonIntoTheSameColumnSelectsNothing) {
  Program& p = this->p();
  p.Type("4");
  EXPECT_EQ(p.loop.LastTextBoxName(), "Text1");
  SetFocus(p.form.Command1());
  p.Pump();
  p.Key(VK_TAB);  // round to the start box, of the column last selected
  ASSERT_EQ(p.Focus(), p.Box(kLength0));
  const auto selection = Selection(p.Box(kLength0));
  EXPECT_EQ(selection.first, selection.second);
  // After a calculation, Tab from the last unit price into the first volume selects it.
  FillWorkedRow();
  p.ClickBackground();
  p.Click(p.Box({Column::Text6, 7}));
  p.Key(VK_TAB);
  ASSERT_EQ(p.Focus(), p.Box({Column::Text5, 0}));
  const std::pair<DWORD, DWORD> whole(0, 6);
  EXPECT_EQ(Selection(p.Focus()), whole);
}

// What a message box or a menu showed, read while it is open and then closed as a user
// would: from a timer, which the box's or the menu's own loop runs.
struct Seen {
  std::wstring text, button;
  std::vector<std::wstring> items;
  std::vector<bool> enabled;
  std::pair<DWORD, DWORD> selection_under_menu;  // of the focused box
};
Seen seen;

void CALLBACK AnswerMessage(HWND, UINT, UINT_PTR timer, DWORD) {
  const HWND message = FindWindowW(L"#32770", L"Velmora");
  if (message == nullptr) return;
  KillTimer(nullptr, timer);
  wchar_t text[512] = {};
  GetDlgItemTextW(message, 0xFFFF, text, 512);
  seen.text = text;
  GetDlgItemTextW(message, IDOK, text, 512);
  seen.button = text;
  SendMessageW(GetDlgItem(message, IDOK), BM_CLICK, 0, 0);
}

void CALLBACK ReadMenu(HWND, UINT, UINT_PTR timer, DWORD) {
  const HWND popup = FindWindowW(L"#32768", nullptr);
  if (popup == nullptr) return;
  KillTimer(nullptr, timer);
  const auto menu = reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0));
  for (int item = 0; item < GetMenuItemCount(menu); ++item) {
    wchar_t text[64] = {};
    if (GetMenuStringW(menu, static_cast<UINT>(item), text, 64, MF_BYPOSITION) == 0) continue;
    seen.items.push_back(text);
    seen.enabled.push_back(
        (GetMenuState(menu, static_cast<UINT>(item), MF_BYPOSITION) & MF_GRAYED) == 0);
  }
  seen.selection_under_menu = Selection(GetFocus());
  EndMenu();
}

TEST_F(Form1Test, OverflowIsReportedInChineseAndTypedDataKept) {
  Program& p = this->p();
  FillWorkedRow();
  p.TypeInto({Column::Text1, 2}, "1e200");
  p.TypeInto({Column::Text2, 2}, "1e200");
  p.TypeInto({Column::Text3, 2}, "1");
  p.TypeInto({Column::Text4, 2}, "1");
  p.TypeInto({Column::Text8}, "9");
  seen = {};
  SetTimer(nullptr, 0, 50, AnswerMessage);
  p.ClickBackground();
  EXPECT_EQ(Narrow(seen.text).find("数字太大"), 0U) << Narrow(seen.text);
  EXPECT_EQ(seen.button, L"确定");
  const struct {
    CellId cell;
    std::string want;
  } cases[] = {
      {{Column::Text5, 0}, "0.4000"},  // written before the overflow
      {{Column::Text7, 0}, ""},        // the pass stopped before the amounts
      {{Column::Text8}, "9"},         {{Column::Text1, 2}, "1e200"},
      {{Column::Text2, 2}, "1e200"},  {{Column::Text6, 0}, "1500"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(window::layout::AccessibleName(c.cell));
    EXPECT_EQ(p.Shown(c.cell), c.want);
  }
  // Still running: a corrected row calculates.
  p.TypeInto({Column::Text1, 2}, "2");
  p.TypeInto({Column::Text2, 2}, "100");
  p.ClickBackground();
  EXPECT_EQ(p.Shown({Column::Text5, 2}), "0.0002");
  EXPECT_EQ(p.Shown({Column::Text7, 0}), "600.00");
}

TEST_F(Form1Test, TheBoxesMenuIsChineseAndWorks) {
  Program& p = this->p();
  p.TypeInto(kLength0, "123");
  SendMessageW(p.Box(kLength0), EM_SETSEL, 3, 3);
  seen = {};
  SetTimer(nullptr, 0, 50, ReadMenu);
  SendMessageW(p.Box(kLength0), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(p.Box(kLength0)),
               MAKELPARAM(-1, -1));
  const std::vector<std::wstring> items = {L"撤消(&U)", L"剪切(&T)", L"复制(&C)",
                                           L"粘贴(&P)", L"删除(&D)", L"全选(&A)"};
  EXPECT_EQ(seen.items, items);
  // Nothing selected: only undo (of the typing), paste (if the clipboard has text) and
  // select all are offered.
  ASSERT_EQ(seen.enabled.size(), 6U);
  EXPECT_TRUE(seen.enabled[0]);
  EXPECT_FALSE(seen.enabled[1]);
  EXPECT_FALSE(seen.enabled[2]);
  EXPECT_FALSE(seen.enabled[4]);
  EXPECT_TRUE(seen.enabled[5]);
}

// The menu moves the focus, and its loop runs before the main loop's next pass: the
// arrival selects first, so its paste replaces the text.
TEST_F(Form1Test, TheMenuOfABoxInAnotherColumnOpensOnItsWholeTextSelected) {
  Program& p = this->p();
  p.TypeInto({Column::Text2, 0}, "200");
  p.TypeInto(kLength0, "4");
  const HWND box = p.Box({Column::Text2, 0});
  seen = {};
  SetTimer(nullptr, 0, 50, ReadMenu);
  SendMessageW(box, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(box), MAKELPARAM(-1, -1));
  EXPECT_EQ(p.Focus(), box);
  const std::pair<DWORD, DWORD> whole(0, 3);
  EXPECT_EQ(seen.selection_under_menu, whole);
}

// A move to a monitor of another scale moves and re-fonts every control with redrawing
// off: what shows afterwards must be what a full repaint draws.
TEST_F(Form1Test, ADpiChangeRepaintsEveryControl) {
  Program& p = this->p();
  FillWorkedRow();
  p.ClickBackground();
  RECT suggested;
  GetWindowRect(p.form.Handle(), &suggested);
  SendMessageW(p.form.Handle(), WM_DPICHANGED, MAKEWPARAM(144, 144),
               reinterpret_cast<LPARAM>(&suggested));
  p.Pump();
  RedrawWindow(p.form.Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  const std::vector<COLORREF> shown = Picture(p.form.Handle());
  RedrawWindow(p.form.Handle(), nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  const std::vector<COLORREF> repainted = Picture(p.form.Handle());
  ASSERT_EQ(shown.size(), repainted.size());
  std::size_t stale = 0;
  for (std::size_t i = 0; i < shown.size(); ++i) stale += shown[i] != repainted[i] ? 1 : 0;
  EXPECT_EQ(stale, 0U) << "pixels that a full repaint changes";
}

TEST_F(Form1Test, NoBoxHasAnInputContextWhileAPlainEditHas) {
  Program& p = this->p();
  const HWND plain = CreateWindowExW(0, L"EDIT", L"", WS_CHILD, 0, 0, 10, 10, p.form.Handle(),
                                     nullptr, GetModuleHandleW(nullptr), nullptr);
  const HIMC plain_context = ImmGetContext(plain);
  EXPECT_NE(plain_context, nullptr);
  ImmReleaseContext(plain, plain_context);
  DestroyWindow(plain);
  for (const CellId cell : window::layout::TabOrder()) {
    SCOPED_TRACE(window::layout::AccessibleName(cell));
    const HIMC context = ImmGetContext(p.Box(cell));
    EXPECT_EQ(context, nullptr);
    if (context != nullptr) ImmReleaseContext(p.Box(cell), context);
  }
}

BOOL CALLBACK FindTooltip(HWND window, LPARAM found) {
  wchar_t name[32] = {};
  GetClassNameW(window, name, 32);
  if (std::wstring(name) == TOOLTIPS_CLASSW) *reinterpret_cast<HWND*>(found) = window;
  return TRUE;
}

// The tooltip control asks the window for a box's tip as it would on hovering.
std::wstring TipOf(HWND form, HWND box) {
  HWND tooltip = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindTooltip, reinterpret_cast<LPARAM>(&tooltip));
  std::wstring text(2048, L'\0');
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.hwnd = form;
  tool.uId = reinterpret_cast<UINT_PTR>(box);
  tool.lpszText = text.data();
  SendMessageW(tooltip, TTM_GETTEXTW, text.size(), reinterpret_cast<LPARAM>(&tool));
  text.resize(wcslen(text.c_str()));
  return text;
}

TEST_F(Form1Test, ANumberWiderThanItsBoxShowsWholeInATooltip) {
  const std::string wide_text = "1234567890.1234567890";
  const struct {
    const char* name;
    std::string text;
    std::string tip;
  } cases[] = {
      {"a number that fits has none", "1500", ""},
      {"a wider one shows whole", wide_text, wide_text},
      {"so does the longest a cell holds", std::string(1000, '9'), std::string(1000, '9')},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    p_ = std::make_unique<Program>();
    Program& p = this->p();
    p.Click(p.Box({Column::Text6, 3}));
    p.Paste(c.text);
    EXPECT_EQ(Narrow(TipOf(p.form.Handle(), p.Box({Column::Text6, 3}))), c.tip);
  }
}

TEST_F(Form1Test, ClosingTheWindowEndsTheProgramAtOnce) {
  const struct {
    const char* name;
    UINT message;
    WPARAM wparam;
  } cases[] = {
      {"the close box", WM_CLOSE, 0},
      {"the system menu", WM_SYSCOMMAND, SC_CLOSE},
      {"logging off", WM_ENDSESSION, TRUE},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    p_ = std::make_unique<Program>();
    Program& p = this->p();
    FillWorkedRow();
    PostMessageW(p.form.Handle(), c.message, c.wparam, 0);
    // A click queued behind the request is never handled.
    PostMessageW(p.form.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageW(p.form.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_FALSE(p.Pump());
    EXPECT_FALSE(IsWindowVisible(p.form.Handle()));
    EXPECT_EQ(p.Shown({Column::Text5, 0}), "");
    // What the ended program left in the thread's queue, its quit message too, goes.
    MSG left;
    while (PeekMessageW(&left, nullptr, 0, 0, PM_REMOVE)) {
    }
  }
}

}  // namespace
