#include "app/app_icon.h"

#include <QPainter>
#include <QPixmap>

namespace veltaro {
namespace {

QPixmap ClockFace(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal pen = size / 16.0;
    const QRectF face(pen, pen, size - 2 * pen, size - 2 * pen);
    painter.setPen(QPen(QColor(0x1f, 0x4e, 0x8c), pen));
    painter.setBrush(QColor(0xf4, 0xf7, 0xfb));
    painter.drawEllipse(face);
    const QPointF centre = face.center();
    painter.setPen(QPen(QColor(0x20, 0x20, 0x20), pen, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(centre, centre + QPointF(0, -face.height() * 0.36));
    painter.drawLine(centre, centre + QPointF(face.width() * 0.26, 0));
    return pixmap;
}

}  // namespace

QIcon AppIcon() {
    QIcon icon;
    for (const int size : {16, 22, 32, 48, 64}) {
        icon.addPixmap(ClockFace(size));
    }
    return icon;
}

}  // namespace veltaro
