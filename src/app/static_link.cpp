#include "app/static_link.h"

#include <QApplication>
#include <QDesktopServices>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>
#include <QUrl>

namespace veltaro {

const QColor CStaticLink::kNormalColour{0, 0, 255};
const QColor CStaticLink::kHoverColour{255, 0, 0};
const QColor CStaticLink::kVisitedColour{128, 0, 128};

CStaticLink::CStaticLink(QWidget* parent) : QLabel(parent) {
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    setTextFormat(Qt::PlainText);
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
    SetColour(kNormalColour);
}

void CStaticLink::SetCaption(const QString& caption) {
    setText(caption);
    setAccessibleName(caption);
}

void CStaticLink::SetTarget(const QString& target) {
    target_ = target;
    setAccessibleDescription(target);
    setToolTip(target);
}

bool CStaticLink::Open() {
    const QString address = target_.isEmpty() ? text().trimmed() : target_;
    if (address.isEmpty()) {
        return false;
    }
    // A caption such as "www.example.com" has no scheme; the default program still needs one.
    const QUrl url = target_.isEmpty() ? QUrl::fromUserInput(address) : QUrl(address);
    const bool succeeded = url.isValid() && QDesktopServices::openUrl(url);
    if (succeeded) {
        SetColour(kVisitedColour);
    } else {
        QApplication::beep();
    }
    emit opened(succeeded);
    return succeeded;
}

void CStaticLink::enterEvent(QEnterEvent* event) {
    SetColour(kHoverColour);
    QLabel::enterEvent(event);
}

void CStaticLink::leaveEvent(QEvent* event) {
    SetColour(kNormalColour);
    QLabel::leaveEvent(event);
}

void CStaticLink::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        Open();
        return;
    }
    QLabel::mousePressEvent(event);
}

void CStaticLink::keyPressEvent(QKeyEvent* event) {
    // Space opens a focused link; Enter stays with the window's default button.
    if (event->key() == Qt::Key_Space) {
        Open();
        return;
    }
    QLabel::keyPressEvent(event);
}

void CStaticLink::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    if (hasFocus()) {
        QPainter painter(this);
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = contentsRect();
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

void CStaticLink::SetColour(const QColor& colour) {
    colour_ = colour;
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, colour);
    setPalette(palette);
}

}  // namespace veltaro
