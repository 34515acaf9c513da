// SPDX-License-Identifier: MIT
#ifndef VELMORA_WINDOW_PLATFORM_FACES_H_
#define VELMORA_WINDOW_PLATFORM_FACES_H_

#include <QStringList>

namespace window {

// The faces of the window's own font, first choice first: the platform's own default face
// where it has one of the design's kind, then CJK faces that stand in for it. Each platform
// defines it in its own file.
QStringList DefaultFaces();

}  // namespace window

#endif  // VELMORA_WINDOW_PLATFORM_FACES_H_
