#pragma once

namespace veltaro {

// Without a desktop that names an icon theme (a bare window manager), Qt looks only in hicolor,
// which holds program icons but no file or executable ones; GTK programs then use Adwaita, and so
// does this one where it is installed.
void UseGtkIconThemeWithoutADesktopOne();

}  // namespace veltaro
