#pragma once

#include <QPixmap>

namespace veltaro {

// The 13 x 13 picture of a tray menu item, by its bitmap number (tray/tray_menu.h); a null pixmap
// for kBitmapNone or an unknown number.
QPixmap MenuPicture(int bitmap);

}  // namespace veltaro
