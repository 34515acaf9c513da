// SPDX-License-Identifier: MIT
#include "window/page_text.h"

namespace window::page {

std::string Escaped(std::string_view text) {
  std::string escaped;
  for (const char c : text) {
    switch (c) {
      case '&':
        escaped += "&amp;";
        break;
      case '<':
        escaped += "&lt;";
        break;
      case '>':
        escaped += "&gt;";
        break;
      case '"':
        escaped += "&quot;";
        break;
      default:
        escaped += c;
    }
  }
  return escaped;
}

std::string Attribute(std::string_view name, std::string_view value) {
  std::string attribute = " ";
  attribute += name;
  attribute += "=\"";
  attribute += Escaped(value);
  attribute += '"';
  return attribute;
}

std::string Css(layout::Rgb colour) {
  return "rgb(" + std::to_string(colour.red) + "," + std::to_string(colour.green) + "," +
         std::to_string(colour.blue) + ")";
}

std::string Px(double points) { return std::to_string(layout::PointsToPixels(points)) + "px"; }

std::string SongFaces() {
  std::string faces = "\"";
  faces += layout::kSongFace;
  faces +=
      "\",SimSun,\"Songti SC\",STSong,\"Noto Serif CJK SC\",\"Source Han Serif SC\","
      "\"AR PL UMing CN\",serif";
  return faces;
}

std::string DefaultFaces() {
  return "system-ui,\"Microsoft YaHei UI\",\"PingFang SC\",\"Noto Sans CJK SC\",sans-serif";
}

}  // namespace window::page
