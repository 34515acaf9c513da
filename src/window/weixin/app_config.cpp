// SPDX-License-Identifier: MIT
#include "window/weixin/app_config.h"

#include <cstdio>

#include "window/layout.h"

namespace window::weixin {
namespace {

// WeChat's configuration takes colours as "#rrggbb".
std::string Hex(layout::Rgb colour) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02x%02x%02x", colour.red, colour.green, colour.blue);
  return text;
}

// The navigation bar's text is black or white; the design writes in dark ink on light colours.
constexpr const char* kBarText = "black";

}  // namespace

std::string AppConfig() {
  return "{\n"
         "  \"pages\": [\"pages/index/index\"],\n"
         "  \"window\": {\n"
         "    \"navigationBarTitleText\": \"" +
         std::string(layout::kFormCaption) +
         "\",\n"
         "    \"navigationBarBackgroundColor\": \"" +
         Hex(layout::kFormColour) +
         "\",\n"
         "    \"navigationBarTextStyle\": \"" +
         kBarText +
         "\",\n"
         "    \"backgroundColor\": \"" +
         Hex(layout::kFormColour) +
         "\"\n"
         "  },\n"
         "  \"sitemapLocation\": \"sitemap.json\"\n"
         "}\n";
}

}  // namespace window::weixin
