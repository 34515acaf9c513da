// SPDX-License-Identifier: MIT
// Writes what the pages are built from, on the build machine: for the browser (scripts/web.sh)
// with --style its stylesheet and with --form its form's markup; for the WeChat mini program
// (scripts/weixin.sh) with --wxml, --wxss and --app-json its page and its app.json.
#include <functional>
#include <iostream>
#include <map>
#include <string>
#include <string_view>

#include "window/web/markup.h"
#include "window/web/style.h"
#include "window/weixin/app_config.h"
#include "window/weixin/markup.h"
#include "window/weixin/style.h"

int main(int argc, char** argv) {
  const std::map<std::string_view, std::function<std::string()>> parts = {
      {"--style", window::web::StyleSheet},      {"--form", window::web::FormMarkup},
      {"--wxml", window::weixin::PageMarkup},    {"--wxss", window::weixin::PageStyle},
      {"--app-json", window::weixin::AppConfig},
  };
  const auto part = parts.find(argc == 2 ? argv[1] : "");
  if (part == parts.end()) {
    std::cerr << "usage: velmora-page --style | --form | --wxml | --wxss | --app-json\n";
    return 2;
  }
  std::cout << part->second();
  return 0;
}
