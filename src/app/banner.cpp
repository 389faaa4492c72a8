#include "app/banner.h"

#include <QDesktopServices>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QUrl>
#include <QVBoxLayout>

#include "app/app_icon.h"
#include "app/dialog_units.h"
#include "platform/interface_language.h"

namespace veltaro {
namespace {

QSize FromDialogUnits(int width, int height) {
    return {DialogUnitsToPixelsX(width), DialogUnitsToPixelsY(height)};
}

QString TaglineFor(int language) {
    return ShowsChineseTexts(language) ? QStringLiteral("记录电脑的每一次运行，陪你看时间流转")
                                       : QStringLiteral("Every run of your computer, on record");
}

void PaintBackground(QPainter& painter, const QRect& area) {
    QLinearGradient sky(area.topLeft(), area.topRight());
    sky.setColorAt(0.0, QColor(0x12, 0x2c, 0x5a));
    sky.setColorAt(0.6, QColor(0x1f, 0x5f, 0x9e));
    sky.setColorAt(1.0, QColor(0x2a, 0x8c, 0xb0));
    painter.fillRect(area, sky);
    // A faint clock face behind the right end: the product measures time.
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    const QPointF centre(area.right() - area.height() * 0.9, area.center().y());
    for (int ring = 1; ring <= 4; ++ring) {
        painter.setPen(QPen(QColor(255, 255, 255, 34 - ring * 6), 2.0));
        const qreal radius = area.height() * 0.32 * ring;
        painter.drawEllipse(centre, radius, radius);
    }
    painter.setPen(QPen(QColor(255, 255, 255, 40), 3.0, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(centre, centre + QPointF(0, -area.height() * 0.3));
    painter.drawLine(centre, centre + QPointF(area.height() * 0.22, area.height() * 0.1));
    painter.fillRect(QRect(area.left(), area.bottom() - 2, area.width(), 3),
                     QColor(0xf2, 0xb1, 0x34));
}

}  // namespace

QSize BannerSize(BannerPlace place) {
    switch (place) {
        case BannerPlace::kMainWindow:
            return FromDialogUnits(425, 61);
        case BannerPlace::kProcessManager:
            return FromDialogUnits(427, 58);
        case BannerPlace::kCalendar:
            return FromDialogUnits(427, 70);
        case BannerPlace::kAlert:
            return FromDialogUnits(273, 41);
    }
    return {};
}

Banner::Banner(QWidget* parent) : QWidget(parent) {
    setCursor(Qt::PointingHandCursor);
    setAccessibleName(QStringLiteral("Veltaro"));
    setMinimumHeight(BannerSize(BannerPlace::kAlert).height());
}

void Banner::Navigate(const std::string& address, int language) {
    address_ = QString::fromStdString(address);
    tagline_ = TaglineFor(language);
    setToolTip(address_);
    setAccessibleName(QStringLiteral("Veltaro: ") + tagline_);
    setAccessibleDescription(address_);
    update();
}

void Banner::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PaintBackground(painter, rect());
    // Small banners (the alert's) scale the strip's contents with their height.
    const int height = this->height();
    const int margin = height / 5;
    const int iconSize = height * 11 / 20;
    const QRect iconArea(margin, (height - iconSize) / 2, iconSize, iconSize);
    AppIcon().paint(&painter, iconArea);

    const int textLeft = iconArea.right() + margin;
    QFont nameFont = font();
    nameFont.setBold(true);
    nameFont.setPixelSize(std::max(12, height * 3 / 10));
    painter.setFont(nameFont);
    painter.setPen(Qt::white);
    const QRect nameArea(textLeft, margin / 2, width() - textLeft - margin, height / 2);
    painter.drawText(nameArea, Qt::AlignLeft | Qt::AlignBottom, QStringLiteral("Veltaro"));

    QFont lineFont = font();
    lineFont.setPixelSize(std::max(10, height * 3 / 20));
    painter.setFont(lineFont);
    painter.setPen(QColor(0xdd, 0xea, 0xf6));
    const QRect lineArea(textLeft, nameArea.bottom() + height / 20, nameArea.width(),
                         height - nameArea.bottom() - margin / 2);
    painter.drawText(lineArea, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, tagline_);
}

void Banner::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || address_.isEmpty() ||
        !rect().contains(event->position().toPoint())) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    // Nothing depends on the page: the answer is only passed on.
    emit pageOpened(QDesktopServices::openUrl(QUrl(address_)));
}

QVBoxLayout* LayoutBelowBanner(QWidget& window, Banner& banner, int margin) {
    auto* whole = new QVBoxLayout(&window);
    whole->setContentsMargins(0, 0, 0, 0);
    whole->setSpacing(0);
    whole->addWidget(&banner);
    auto* content = new QVBoxLayout;
    content->setContentsMargins(margin, margin / 2, margin, margin);
    whole->addLayout(content, 1);
    return content;
}

}  // namespace veltaro
