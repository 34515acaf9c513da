// SPDX-License-Identifier: MIT
#ifndef VELMORA_WINDOW_FOCUS_RULE_H_
#define VELMORA_WINDOW_FOCUS_RULE_H_

#include <string>
#include <string_view>

namespace window {

// The window's one convenience: when the focus arrives in a text box of another column than
// the one last selected, the box's whole text is selected, so typing replaces it. Columns
// are told apart by name, so moving within a column, or leaving it for the button and
// coming back, selects nothing.
class FocusRule {
 public:
  // Called after each batch of events with the name of the focused text box ("Text1" …
  // "Text9"); true when its whole text is to be selected now.
  bool Arrive(std::string_view text_box_name);

  // The column of the box last selected; empty until the first.
  const std::string& LastTextBoxName() const { return last_text_box_name_; }

 private:
  std::string last_text_box_name_;
};

}  // namespace window

#endif  // VELMORA_WINDOW_FOCUS_RULE_H_
