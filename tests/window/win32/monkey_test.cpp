// SPDX-License-Identifier: MIT
// Thousands of random user actions on the native window. After each one every box must
// show exactly its cell's text. VELMORA_MONKEY_SEED replays a run (or, set to "random",
// starts a new one); VELMORA_MONKEY_ACTIONS sets its length.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "program.h"
#include "window/layout.h"
#include "window/win32/utf16.h"

namespace {

using sheet::CellId;

const std::vector<std::string> kAlphabets = {
    "0123456789.",  "0123456789.-+eE ,",
    "abcxyzABC",    "材积长宽厚件单价金额合计一二三",
    "😀🪵𠀀", "1e200",
    "1e400",
};

class Monkey {
 public:
  Monkey(Program& program, std::mt19937& random) : p_(program), random_(random) {}

  // Does one random thing a user could do and says what it was.
  std::string Act() {
    const std::vector<CellId> cells = window::layout::TabOrder();
    switch (Pick(12)) {
      case 0:
      case 1:
      case 2: {
        const std::string text = RandomText(Pick(12));
        p_.Type(text);
        return "type '" + text + "'";
      }
      case 3: {
        const std::string text = RandomText(Pick(3) == 0 ? 3000 : Pick(40));
        p_.Paste(text);
        return "paste " + std::to_string(text.size()) + " bytes";
      }
      case 4:
        p_.Key(VK_BACK);
        return "backspace";
      case 5: {
        const bool shift = Pick(2) == 0;
        p_.Key(VK_TAB, shift);
        return shift ? "shift+tab" : "tab";
      }
      case 6: {
        const CellId cell = cells[static_cast<std::size_t>(Pick(static_cast<int>(cells.size())))];
        // Now and then the mouse moves while the button is down, a little or a drag.
        const int move = Pick(3) == 0 ? Pick(30) : 0;
        p_.Click(p_.Box(cell), {Pick(40), Pick(20)}, move);
        return "click " + window::layout::AccessibleName(cell) + " moving " + std::to_string(move) +
               " px";
      }
      case 7:
        p_.ClickBackground();
        return "click the background";
      case 8:
        p_.Click(p_.form.Label("Label4"));
        return "click the instructions";
      case 9:
        if (Pick(8) == 0) {
          p_.Click(p_.form.Command1());
          return "click the clear button";
        }
        p_.Key(Pick(2) == 0 ? VK_RETURN : VK_ESCAPE);
        return "enter or escape";
      case 10: {
        // A burst: every key waits in the queue before the loop takes the first.
        const std::string text = RandomText(1 + Pick(8));
        for (const wchar_t unit : window::win32::Widen(text)) {
          PostMessageW(GetFocus(), WM_CHAR, unit, 1);
        }
        p_.Pump();
        return "type '" + text + "' in one burst";
      }
      default:
        SendMessageW(GetFocus(), EM_SETSEL, static_cast<WPARAM>(Pick(5)), Pick(8));
        return "select";
    }
  }

 private:
  int Pick(int below) { return std::uniform_int_distribution<int>(0, below - 1)(random_); }

  std::string RandomText(int length) {
    const auto alphabet = window::win32::Widen(
        kAlphabets[static_cast<std::size_t>(Pick(static_cast<int>(kAlphabets.size())))]);
    std::wstring text;
    for (int i = 0; i < length; ++i) {
      text += alphabet[static_cast<std::size_t>(Pick(static_cast<int>(alphabet.size())))];
    }
    return window::win32::Narrow(text);
  }

  Program& p_;
  std::mt19937& random_;
};

// An overflow's message waits for its button: pressed as soon as it shows, from a timer that
// the message's own loop runs.
void CALLBACK AnswerMessages(HWND, UINT, UINT_PTR, DWORD) {
  if (const HWND message = FindWindowW(L"#32770", L"Velmora")) {
    SendMessageW(GetDlgItem(message, IDOK), BM_CLICK, 0, 0);
  }
}

unsigned Seed() {
  const char* seed = std::getenv("VELMORA_MONKEY_SEED");
  if (seed == nullptr) return 20261209;
  if (std::string(seed) == "random") return std::random_device()();
  return static_cast<unsigned>(std::strtoul(seed, nullptr, 10));
}

TEST(Monkey, EveryBoxShowsItsCellAfterEveryAction) {
  const unsigned seed = Seed();
  const char* actions = std::getenv("VELMORA_MONKEY_ACTIONS");
  const int count = actions != nullptr ? std::atoi(actions) : 500;
  std::printf("monkey: seed %u, %d actions\n", seed, count);
  std::mt19937 random(seed);
  Program program;
  Monkey monkey(program, random);
  const UINT_PTR answering = SetTimer(nullptr, 0, 20, AnswerMessages);
  for (int step = 0; step < count; ++step) {
    const std::string action = monkey.Act();
    for (const CellId cell : window::layout::TabOrder()) {
      ASSERT_EQ(program.Shown(cell), program.sheet.GetText(cell))
          << "after action " << step << ": " << action << ", in "
          << window::layout::AccessibleName(cell) << " (seed " << seed << ")";
    }
  }
  KillTimer(nullptr, answering);
}

}  // namespace
