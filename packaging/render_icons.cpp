// Writes the program's icon into a hicolor icon theme folder at every size the desktop asks for:
// <folder>/<size>x<size>/apps/veltaro.png.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>

#include "app/app_icon.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    for (const int size : {16, 22, 32, 48, 64, 128}) {
        // The icon is drawn on a 16-unit grid: a size that is no multiple of 16 gets the largest
        // one that fits, centred, so every pixel stays sharp.
        const int drawn = size / 16 * 16;
        QImage image(size, size, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        QPainter(&image).drawImage((size - drawn) / 2, (size - drawn) / 2,
                                   veltaro::AppIconImage(drawn));
        const QString folder =
            QStringLiteral("%1/%2x%2/apps").arg(QString::fromLocal8Bit(argv[1])).arg(size);
        if (!QDir().mkpath(folder) || !image.save(folder + QStringLiteral("/veltaro.png"))) {
            std::fprintf(stderr, "cannot write the %d-pixel icon\n", size);
            return 1;
        }
    }
    return 0;
}
