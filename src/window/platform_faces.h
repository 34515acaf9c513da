// SPDX-License-Identifier: MIT
#ifndef VELMORA_WINDOW_PLATFORM_FACES_H_
#define VELMORA_WINDOW_PLATFORM_FACES_H_

#include <QStringList>

namespace window {

// The faces of the window's own font, first choice first: the platform's default face where
// the platform has one that writes Chinese, then CJK faces that stand in for it. Each
// platform defines it in its own file.
QStringList DefaultFaces();

}  // namespace window

#endif  // VELMORA_WINDOW_PLATFORM_FACES_H_
