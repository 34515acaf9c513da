// SPDX-License-Identifier: MIT
#include "window/platform_faces.h"

#include <QApplication>
#include <QFont>

namespace window {

// Windows' own default face first (Microsoft YaHei UI on a Chinese Windows), then the CJK
// faces every Windows 10 and 11 has for a Latin default such as Segoe UI; last the Linux
// faces, which Wine finds on its host when none of Windows' own is there.
QStringList DefaultFaces() {
  return {QApplication::font().family(), "Microsoft YaHei UI", "SimSun", "WenQuanYi Micro Hei",
          "Noto Sans CJK SC"};
}

}  // namespace window
