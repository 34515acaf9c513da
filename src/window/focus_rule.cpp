// SPDX-License-Identifier: MIT
#include "window/focus_rule.h"

namespace window {

bool FocusRule::Arrive(std::string_view text_box_name) {
  if (text_box_name == last_text_box_name_) return false;
  last_text_box_name_ = text_box_name;
  return true;
}

}  // namespace window
