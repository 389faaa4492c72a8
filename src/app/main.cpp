#include <QApplication>
#include <cstdlib>

#include "app/durmet_app.h"

namespace {

// Without any display Qt would abort; the recorder must run anyway, so fall back to the
// offscreen platform, as a session started before the desktop would need.
void ChooseOffscreenWithoutDisplay() {
    const bool hasDisplay = std::getenv("DISPLAY") != nullptr ||
                            std::getenv("WAYLAND_DISPLAY") != nullptr ||
                            std::getenv("QT_QPA_PLATFORM") != nullptr;
    if (!hasDisplay) {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
}

}  // namespace

int main(int argc, char** argv) {
    ChooseOffscreenWithoutDisplay();
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Veltaro"));
    QApplication::setQuitOnLastWindowClosed(false);
    veltaro::CDurmetApp app;
    if (!app.InitInstance()) {
        return 1;
    }
    return QApplication::exec();
}
