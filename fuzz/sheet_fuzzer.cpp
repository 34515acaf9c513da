// SPDX-License-Identifier: MIT
// Bytes decoded into a user's session on the sheet: SetText on any cell with any text,
// Calculate and ClearAll, with the sheet's promises checked after every step.
#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>

#include "sheet/calculate.h"
#include "sheet/cell_sheet.h"
#include "sheet/number_text.h"

namespace {

using sheet::CellId;
using sheet::Column;

[[noreturn]] void Fail(const std::string& what) {
  std::fprintf(stderr, "invariant broken: %s\n", what.c_str());
  std::abort();
}

constexpr auto kCells = static_cast<std::size_t>(sheet::kCellCount);

CellId CellAt(std::size_t index) {
  if (index >= 56) return {index == 56 ? Column::Text8 : Column::Text9};
  return {static_cast<Column>(index / 8), static_cast<int>(index % 8)};
}

using Texts = std::array<std::string, kCells>;

Texts Snapshot(const sheet::CellSheet& cells) {
  Texts texts;
  for (std::size_t i = 0; i < kCells; ++i) texts[i] = cells.GetText(CellAt(i));
  return texts;
}

bool IsInput(Column column) {
  return column != Column::Text5 && column != Column::Text7 && column != Column::Text8 &&
         column != Column::Text9;
}

// Results in the order the pass writes them: Text5 rows, Text7 rows, Text8, Text9.
int WriteOrder(std::size_t index) {
  if (index >= 32 && index < 40) return static_cast<int>(index) - 32;
  return index >= 48 ? static_cast<int>(index) - 40 : -1;
}

// Where in write order an overflow must stop the pass, read from the texts it meets.
int OverflowPoint(const Texts& before, const sheet::CellSheet& after) {
  const auto read = [](const std::string& text, double& value) {
    try {
      value = sheet::ParseNumber(text);
      return true;
    } catch (const sheet::OverflowError&) {
      return false;
    }
  };
  for (std::size_t row = 0; row < 8; ++row) {
    double l = 0, w = 0, t = 0, n = 0;
    if (!read(before[row], l) || !read(before[8 + row], w) || !read(before[16 + row], t) ||
        !read(before[24 + row], n) || !std::isfinite(w * l * t * n / 1e6)) {
      return static_cast<int>(row);
    }
  }
  for (int row = 0; row < 8; ++row) {
    double price = 0;
    if (!read(before[static_cast<std::size_t>(40 + row)], price) ||
        !std::isfinite(price * sheet::ParseNumber(after.GetText({Column::Text5, row})))) {
      return 8 + row;
    }
  }
  double volumes = 0, amounts = 0;
  for (int row = 0; row < 8; ++row)
    volumes += sheet::ParseNumber(after.GetText({Column::Text5, row}));
  if (!std::isfinite(volumes)) return 16;
  for (int row = 0; row < 8; ++row)
    amounts += sheet::ParseNumber(after.GetText({Column::Text7, row}));
  return std::isfinite(amounts) ? 18 : 17;
}

class Session {
 public:
  Session() {
    cells_.AddChangeListener([this](CellId id) {
      std::string& seen = shadow_[sheet::CellIndex(id)];
      if (seen == cells_.GetText(id)) Fail("told of a change that changed nothing");
      seen = cells_.GetText(id);
    });
  }

  void Run(FuzzedDataProvider& input) {
    while (input.remaining_bytes() > 0) {
      Step(input);
      CheckCells();
    }
  }

 private:
  void Step(FuzzedDataProvider& input) {
    switch (input.ConsumeIntegralInRange(0, 6)) {
      case 0:
        cells_.SetText(CellAt(input.ConsumeIntegralInRange<std::size_t>(0, 57)),
                       input.ConsumeRandomLengthString(64));
        break;
      case 1: {  // a number-like text, where the arithmetic happens
        std::string text = input.ConsumeRandomLengthString(24);
        for (char& c : text) c = "0123456789.-+e "[static_cast<unsigned char>(c) % 15];
        cells_.SetText(CellAt(input.ConsumeIntegralInRange<std::size_t>(0, 57)), text);
        break;
      }
      case 2: {  // a long paste
        const auto length = input.ConsumeIntegralInRange<std::size_t>(0, 10000);
        cells_.SetText(CellAt(input.ConsumeIntegralInRange<std::size_t>(0, 57)),
                       std::string(length, input.ConsumeIntegral<char>()));
        break;
      }
      case 3:
        CheckedCalculate();
        break;
      case 4:
        cells_.ClearAll();
        break;
      case 5:
        CheckNoSuchCell(input);
        break;
      case 6: {  // a number near or past the ends of the double range
        const int exponent = input.ConsumeIntegralInRange(-400, 400);
        cells_.SetText(CellAt(input.ConsumeIntegralInRange<std::size_t>(0, 57)),
                       (input.ConsumeBool() ? "-1e" : "1e") + std::to_string(exponent));
        break;
      }
    }
  }

  void CheckedCalculate() {
    const Texts before = Snapshot(cells_);
    try {
      sheet::Calculate(cells_);
    } catch (const sheet::OverflowError&) {
      const int stop = OverflowPoint(before, cells_);
      if (stop == 18) Fail("overflow where the pass can finish");
      const Texts after = Snapshot(cells_);
      for (std::size_t i = 0; i < kCells; ++i) {
        const int order = WriteOrder(i);
        if ((order < 0 || order >= stop) && after[i] != before[i]) {
          Fail("overflow changed a cell after the stop: " + std::to_string(i));
        }
      }
      return;
    }
    if (OverflowPoint(before, cells_) != 18) Fail("no overflow where one was due");
    const Texts first = Snapshot(cells_);
    for (std::size_t i = 0; i < kCells; ++i) {
      if (WriteOrder(i) < 0 && first[i] != before[i]) Fail("the pass changed an input");
    }
    sheet::Calculate(cells_);
    if (Snapshot(cells_) != first) Fail("a second pass changed the cells");
  }

  void CheckNoSuchCell(FuzzedDataProvider& input) {
    const CellId bad = input.ConsumeBool()
                           ? CellId{Column::Text8, input.ConsumeIntegralInRange(1, 100)}
                           : CellId{static_cast<Column>(input.ConsumeIntegralInRange(9, 300)), 0};
    const Texts before = Snapshot(cells_);
    try {
      cells_.SetText(bad, "1");
      Fail("no error for a cell that does not exist");
    } catch (const std::out_of_range&) {
    }
    if (Snapshot(cells_) != before) Fail("a bad call changed the sheet");
  }

  void CheckCells() const {
    for (std::size_t i = 0; i < kCells; ++i) {
      const CellId id = CellAt(i);
      const std::string& text = cells_.GetText(id);
      if (text != shadow_[i]) Fail("a change nobody was told of in cell " + std::to_string(i));
      if (text.size() > 4 * sheet::kMaxTextLength) Fail("text beyond the limit");
      if (IsInput(id.column) || text.empty()) continue;
      const bool volume = id.column == Column::Text5 || id.column == Column::Text8;
      if (sheet::SortsBefore(text, volume ? sheet::VolumeThreshold : sheet::AmountThreshold)) {
        Fail("a result below its threshold stayed: " + text);
      }
    }
  }

  sheet::CellSheet cells_;
  Texts shadow_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  Session session;
  session.Run(input);
  return 0;
}
