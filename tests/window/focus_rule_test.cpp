// SPDX-License-Identifier: MIT
#include "window/focus_rule.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(FocusRule, SelectsOnArrivalInAnotherColumnOnly) {
  const struct {
    const char* name;
    std::vector<std::string> arrivals;
    std::vector<bool> selects;
  } cases[] = {
      {"the first arrival selects", {"Text1"}, {true}},
      {"Tab across a row selects in each column", {"Text1", "Text2", "Text3"}, {true, true, true}},
      {"within one column, once", {"Text1", "Text1", "Text1"}, {true, false, false}},
      {"back to the column left for the button", {"Text6", "Text6"}, {true, false}},
      {"back to a column left for another", {"Text5", "Text7", "Text5"}, {true, true, true}},
      {"totals are columns of their own", {"Text8", "Text9", "Text8"}, {true, true, true}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    window::FocusRule rule;
    std::vector<bool> selects;
    for (const auto& name : c.arrivals) selects.push_back(rule.Arrive(name));
    EXPECT_EQ(selects, c.selects);
    EXPECT_EQ(rule.LastTextBoxName(), c.arrivals.back());
  }
}

}  // namespace
