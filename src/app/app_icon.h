#pragma once

#include <QIcon>

namespace veltaro {

// The program's clock icon, drawn rather than shipped so that it is sharp at every size.
QIcon AppIcon();

}  // namespace veltaro
