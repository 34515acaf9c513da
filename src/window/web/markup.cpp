// SPDX-License-Identifier: MIT
#include "window/web/markup.h"

#include "window/layout.h"
#include "window/page_text.h"

namespace window::web {
namespace {

using sheet::CellId;

using page::Attribute;
using page::Escaped;

// The control's place for the stylesheet: its twips at the design's size and on a narrow
// screen, with the rows that stretch there for a finger.
std::string Place(layout::Placement wide, bool text, std::string style = "") {
  const layout::NarrowPlace narrow = layout::NarrowPlacement(wide, text);
  const auto set = [&style](const char* name, int value) {
    style += std::string(name) + ":" + std::to_string(value) + ";";
  };
  set("--x", wide.left);
  set("--y", wide.top);
  set("--w", wide.width);
  set("--h", wide.height);
  set("--nx", narrow.twips.left);
  set("--ny", narrow.twips.top);
  set("--nw", narrow.twips.width);
  set("--nh", narrow.twips.height);
  set("--nk", narrow.rows_above);
  set("--nr", narrow.rows_inside);
  return Attribute("style", style);
}

std::string Label(const layout::LabelPlace& label) {
  const char* kind = label.name == layout::kTitleLabel ? "title" : label.wraps ? "wraps" : "";
  return "<div" + Attribute("class", kind) +
         Place({label.left, label.top, label.width, label.height}, true) + ">" +
         Escaped(label.caption) + "</div>";
}

// Phones show a keypad with a point for numbers, and nothing corrects what is typed.
// Columns to the right lie over their left neighbours' borders, as on the desktop.
std::string Box(CellId cell) {
  return "<input type=\"text\" inputmode=\"decimal\" autocomplete=\"off\" autocorrect=\"off\" "
         "autocapitalize=\"off\" spellcheck=\"false\"" +
         Attribute("aria-label", layout::AccessibleName(cell)) +
         Attribute(kCellAttribute, std::to_string(sheet::CellIndex(cell))) +
         Place(layout::BoxPlacement(cell), false,
               "z-index:" + std::to_string(static_cast<int>(cell.column)) + ";") +
         ">";
}

}  // namespace

std::string FormMarkup() {
  std::string html = "<main id=\"Form1\"" + Attribute("aria-label", layout::kFormCaption) + ">";
  // Labels first: the boxes and the button lie over them where they meet.
  for (const auto& label : layout::kLabels) html += Label(label);
  // The boxes in the design's Tab order, which the page's order gives the Tab key.
  for (const CellId cell : layout::TabOrder()) html += Box(cell);
  const auto& button = layout::kCommand1;
  html += "<button type=\"button\"" +
          Place({button.left, button.top, button.width, button.height}, false) + ">" +
          Escaped(button.caption) + "</button>";
  html += "<div class=\"tip\" hidden></div></main>";
  return html;
}

}  // namespace window::web
