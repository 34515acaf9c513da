// SPDX-License-Identifier: MIT
// Writes what the browser page shows before its program runs, for scripts/web.sh to put into
// web/index.html: with --style the stylesheet, with --form the form's markup.
#include <iostream>
#include <string_view>

#include "window/web/markup.h"
#include "window/web/style.h"

int main(int argc, char** argv) {
  const std::string_view part = argc == 2 ? argv[1] : "";
  if (part == "--style") {
    std::cout << window::web::StyleSheet();
  } else if (part == "--form") {
    std::cout << window::web::FormMarkup();
  } else {
    std::cerr << "usage: velmora-page --style | --form\n";
    return 2;
  }
  return 0;
}
