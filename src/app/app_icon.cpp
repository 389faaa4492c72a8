#include "app/app_icon.h"

#include <QPainter>

namespace veltaro {
namespace {

// Four of the 16 colours of the VGA palette the icon keeps to.
const QColor kNavy(0x00, 0x00, 0x80);
const QColor kRed(0xff, 0x00, 0x00);
const QColor kYellow(0xff, 0xff, 0x00);
const QColor kWhite(0xff, 0xff, 0xff);

// A calendar sheet with a red binding and a clock on it: time kept and days counted. Drawn
// without smoothing so that only palette colours occur.
void DrawIcon(QPainter& painter, int size) {
    const int unit = size / 16;
    painter.setPen(Qt::NoPen);
    const auto box = [unit](int x, int y, int w, int h) {
        return QRect(x * unit, y * unit, w * unit, h * unit);
    };
    painter.fillRect(box(1, 2, 14, 13), kNavy);
    painter.fillRect(box(2, 5, 12, 9), kWhite);
    painter.fillRect(box(1, 2, 14, 3), kRed);
    painter.fillRect(box(4, 1, 1, 3), kNavy);
    painter.fillRect(box(11, 1, 1, 3), kNavy);
    // The clock: a yellow dial with navy hands pointing to ten past ten.
    painter.setBrush(kYellow);
    painter.setPen(QPen(kNavy, unit));
    painter.drawEllipse(box(4, 6, 8, 7).adjusted(0, 0, -1, -1));
    painter.fillRect(box(7, 7, 1, 3), kNavy);
    painter.fillRect(box(8, 9, 2, 1), kNavy);
}

}  // namespace

QImage AppIconImage(int size) {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    DrawIcon(painter, size);
    return image;
}

QIcon AppIcon() {
    QIcon icon;
    for (const int size : {16, 32}) {
        icon.addPixmap(QPixmap::fromImage(AppIconImage(size)));
    }
    return icon;
}

}  // namespace veltaro
