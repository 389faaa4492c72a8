#pragma once

#include <QColor>
#include <QLabel>
#include <QString>

namespace veltaro {

// A clickable link label: blue, red while the pointer is over it, purple after its target opened
// in the default program. A failed open beeps and leaves it red. A link without a target opens
// its own caption, so a label that reads a web address needs no target.
class CStaticLink : public QLabel {
    Q_OBJECT

public:
    static const QColor kNormalColour;
    static const QColor kHoverColour;
    static const QColor kVisitedColour;

    explicit CStaticLink(QWidget* parent = nullptr);

    // The caption is also the label's accessible name.
    void SetCaption(const QString& caption);
    // An address or a "mailto:" address; may change at any time.
    void SetTarget(const QString& target);
    const QString& Target() const { return target_; }
    QColor TextColour() const { return colour_; }

    // Opens the target (or the caption); false when there was nothing to open or it failed.
    bool Open();

signals:
    void opened(bool succeeded);

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void SetColour(const QColor& colour);

    QString target_;
    QColor colour_ = kNormalColour;
};

}  // namespace veltaro
