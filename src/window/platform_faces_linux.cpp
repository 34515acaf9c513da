// SPDX-License-Identifier: MIT
#include "window/platform_faces.h"

namespace window {

// Linux desktops have no default face of the design's: a compact CJK face stands in, with
// line heights that fit the small labels.
QStringList DefaultFaces() { return {"WenQuanYi Micro Hei", "Noto Sans CJK SC"}; }

}  // namespace window
