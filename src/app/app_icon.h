#pragma once

#include <QIcon>
#include <QImage>

namespace veltaro {

// Icon 139, the program's own: a 32 x 32 and a 16 x 16 image in the 16 colours of the old
// palette. Windows, the about box and the desktop entry show it.
QIcon AppIcon();
QImage AppIconImage(int size);

}  // namespace veltaro
