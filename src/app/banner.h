#pragma once

#include <QSize>
#include <QString>
#include <QWidget>

class QVBoxLayout;
#include <string>

namespace veltaro {

// The windows that carry the product banner across their top edge.
enum class BannerPlace { kMainWindow, kCalendar, kProcessManager, kAlert };

// The banner's size as each window's arrangement draws it. The main window and the process
// manager stretch it to their own width at 101 pixels high (kStretchedBannerHeight).
QSize BannerSize(BannerPlace place);
inline constexpr int kStretchedBannerHeight = 101;

// The product strip at the top of a window: the product name and a short line in the interface
// language on a drawn background. It stands for a page of the product's web site: the page's
// address is its tooltip, and a click opens that page in the default browser.
class Banner : public QWidget {
    Q_OBJECT

public:
    explicit Banner(QWidget* parent = nullptr);

    // Shows the page `address`; the short line follows `language`.
    void Navigate(const std::string& address, int language);
    const QString& Address() const { return address_; }
    const QString& Tagline() const { return tagline_; }

signals:
    // A click asked the default browser for the page; `opened` is its answer.
    void pageOpened(bool opened);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QString address_;
    QString tagline_;
};

// Puts `banner` across the top of `window` and returns the layout for the rest of the window's
// content, below it, with `margin` around (half of it at the top).
QVBoxLayout* LayoutBelowBanner(QWidget& window, Banner& banner, int margin);

}  // namespace veltaro
