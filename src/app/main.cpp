#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/durmet_app.h"
#include "app/icon_theme.h"

namespace {

// Qt aborts when no platform plugin starts. The recorder must run even without a usable display
// (none at all, a stale one, a Wayland session without Qt's Wayland plugin), so offscreen is
// always the last platform Qt falls back to.
void AllowOffscreenFallback() {
    if (std::getenv("QT_QPA_PLATFORM") != nullptr) {
        return;
    }
    const bool wayland = std::getenv("WAYLAND_DISPLAY") != nullptr;
    ::setenv("QT_QPA_PLATFORM", wayland ? "wayland;xcb;offscreen" : "xcb;offscreen", 1);
}

// While the platform is chosen, the platforms that fail say so in Qt's words; one line of our
// own says what it means instead.
QtMessageHandler previousHandler = nullptr;

void DropPlatformMessages(QtMsgType type, const QMessageLogContext& context,
                          const QString& message) {
    if (context.category != nullptr && std::strncmp(context.category, "qt.qpa", 6) == 0) {
        return;
    }
    previousHandler(type, context, message);
}

void ReportWindowlessStart() {
    if (QGuiApplication::platformName() == QLatin1String("offscreen") &&
        std::strcmp(std::getenv("QT_QPA_PLATFORM"), "offscreen") != 0) {
        std::fputs(
            "Veltaro: no usable display; running without windows, the run recorder goes on\n",
            stderr);
    }
}

}  // namespace

int main(int argc, char** argv) {
    AllowOffscreenFallback();
    previousHandler = qInstallMessageHandler(DropPlatformMessages);
    QApplication application(argc, argv);
    qInstallMessageHandler(previousHandler);
    ReportWindowlessStart();
    veltaro::UseGtkIconThemeWithoutADesktopOne();
    QApplication::setApplicationName(QStringLiteral("Veltaro"));
    QApplication::setQuitOnLastWindowClosed(false);
    veltaro::CDurmetApp app;
    if (!app.InitInstance()) {
        return 1;
    }
    return QApplication::exec();
}
