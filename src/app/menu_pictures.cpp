#include "app/menu_pictures.h"

#include <QPainter>

#include "tray/tray_menu.h"

namespace veltaro {
namespace {

constexpr int kSize = kMenuPictureSize;

// Drawn pixel by pixel (no smoothing): at 13 pixels every pixel counts.
QPixmap Blank() {
    QPixmap picture(kSize, kSize);
    picture.fill(Qt::transparent);
    return picture;
}

// An alarm bell: remind plans.
QPixmap RemindPlanPicture() {
    QPixmap picture = Blank();
    QPainter painter(&picture);
    painter.setPen(QColor(0x80, 0x50, 0x00));
    painter.setBrush(QColor(0xf0, 0xb8, 0x20));
    painter.drawRect(3, 3, 6, 6);
    painter.drawRect(2, 8, 8, 1);
    painter.fillRect(5, 1, 2, 2, QColor(0x80, 0x50, 0x00));
    painter.fillRect(5, 10, 2, 2, QColor(0x80, 0x50, 0x00));
    return picture;
}

// A window with list rows: the process manager.
QPixmap ProcessManagerPicture() {
    QPixmap picture = Blank();
    QPainter painter(&picture);
    painter.setPen(QColor(0x10, 0x30, 0x70));
    painter.setBrush(Qt::white);
    painter.drawRect(0, 1, 12, 10);
    painter.fillRect(1, 2, 11, 2, QColor(0x20, 0x60, 0xc0));
    for (int row = 5; row <= 9; row += 2) {
        painter.fillRect(2, row, 3, 1, QColor(0x20, 0x90, 0x30));
        painter.fillRect(6, row, 5, 1, QColor(0x60, 0x60, 0x60));
    }
    return picture;
}

// A blue "i": about.
QPixmap AboutPicture() {
    QPixmap picture = Blank();
    QPainter painter(&picture);
    painter.setPen(QColor(0x10, 0x40, 0x90));
    painter.setBrush(QColor(0x30, 0x70, 0xd0));
    painter.drawEllipse(0, 0, 12, 12);
    painter.fillRect(6, 3, 1, 1, Qt::white);
    painter.fillRect(6, 5, 1, 5, Qt::white);
    painter.fillRect(5, 5, 1, 1, Qt::white);
    painter.fillRect(5, 9, 3, 1, Qt::white);
    return picture;
}

// Red with a yellow star: Chinese.
QPixmap ChinesePicture() {
    QPixmap picture = Blank();
    QPainter painter(&picture);
    painter.fillRect(0, 2, 13, 9, QColor(0xde, 0x29, 0x10));
    const QColor star(0xff, 0xde, 0x00);
    painter.fillRect(3, 3, 1, 5, star);
    painter.fillRect(1, 5, 5, 1, star);
    painter.fillRect(2, 4, 3, 3, star);
    for (const QPoint small : {QPoint(7, 3), QPoint(8, 5), QPoint(8, 7), QPoint(7, 9)}) {
        painter.fillRect(QRect(small, QSize(1, 1)), star);
    }
    return picture;
}

// Blue and white stripes with a bold "E": English.
QPixmap EnglishPicture() {
    QPixmap picture = Blank();
    QPainter painter(&picture);
    painter.fillRect(0, 2, 13, 9, QColor(0x1c, 0x3f, 0x94));
    const QColor white(Qt::white);
    painter.fillRect(4, 3, 5, 1, white);
    painter.fillRect(4, 3, 2, 7, white);
    painter.fillRect(4, 6, 4, 1, white);
    painter.fillRect(4, 9, 5, 1, white);
    return picture;
}

}  // namespace

QPixmap MenuPicture(int bitmap) {
    switch (bitmap) {
        case kBitmapRemindPlan:
            return RemindPlanPicture();
        case kBitmapProcessManager:
            return ProcessManagerPicture();
        case kBitmapAbout:
            return AboutPicture();
        case kBitmapChinese:
            return ChinesePicture();
        case kBitmapEnglish:
            return EnglishPicture();
        default:
            return {};
    }
}

}  // namespace veltaro
