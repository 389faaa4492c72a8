#include "app/icon_theme.h"

#include <QDir>
#include <QIcon>

namespace veltaro {

void UseGtkIconThemeWithoutADesktopOne() {
    const QString gtkDefault = QStringLiteral("Adwaita");
    const QString theme = QIcon::themeName();
    if (!theme.isEmpty() && theme != QLatin1String("hicolor")) {
        return;
    }
    for (const QString& folder : QIcon::themeSearchPaths()) {
        if (QDir(folder).exists(gtkDefault + QStringLiteral("/index.theme"))) {
            QIcon::setThemeName(gtkDefault);
            return;
        }
    }
}

}  // namespace veltaro
