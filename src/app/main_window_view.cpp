#include "app/main_window_view.h"

#include <QBoxLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QSlider>
#include <QWindow>

#include "app/app_icon.h"
#include "app/banner.h"
#include "app/run_history_view.h"
#include "app/static_link.h"
#include "app/today_holidays_box.h"
#include "web/page_address.h"

namespace veltaro {
namespace {

constexpr int kIconSize = 32;
constexpr int kMargin = 11;

QString FromStd(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

MainWindowView::MainWindowView(const PastRuns& runLog, RunRecord& currentRun, const int& language,
                               QWidget* parent)
    : QWidget(parent),
      PageBanner(new Banner(this)),
      IconLabel(new QLabel(this)),
      WebSiteLink(new CStaticLink(this)),
      History(new RunHistoryView(runLog, currentRun, language, this)),
      Holidays(new TodayHolidaysBox(this)),
      language_(language) {
    IconLabel->setPixmap(AppIcon().pixmap(kIconSize, kIconSize));
    IconLabel->setAccessibleName(QStringLiteral("Veltaro"));
    WebSiteLink->SetCaption(QStringLiteral("www.veltaro.com"));
    WebSiteLink->SetTarget(FromStd(kWebSiteAddress));
    History->AuthorLink->SetTarget(FromStd(kAuthorMailAddress));
    ArrangeControls();
}

void MainWindowView::ArrangeControls() {
    PageBanner->setFixedHeight(kStretchedBannerHeight);
    QVBoxLayout* content = LayoutBelowBanner(*this, *PageBanner, kMargin);

    auto* identity = new QHBoxLayout;
    identity->setSpacing(kMargin / 2 + 2);
    identity->addWidget(IconLabel);
    identity->addWidget(WebSiteLink);
    identity->addStretch();
    identity->addWidget(History->AuthorLink);
    content->addLayout(identity);

    auto* panels = new QHBoxLayout;
    panels->addWidget(History->RunBox, 1);
    panels->addWidget(Holidays);
    content->addLayout(panels);
    content->addWidget(History->Trackbar);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* button : {History->LastTimeButton, History->NextTimeButton,
                                History->ThisTimeButton, History->CloseButton}) {
        buttons->addWidget(button);
    }
    content->addLayout(buttons);

    // Top to bottom, left to right.
    QWidget* order[] = {WebSiteLink,
                        History->AuthorLink,
                        Holidays->HolidayLinks[0],
                        Holidays->HolidayLinks[1],
                        Holidays->HolidayLinks[2],
                        Holidays->HolidayLinks[3],
                        Holidays->HolidayLinks[4],
                        Holidays->HistoryTodayLink,
                        Holidays->MoreLink,
                        History->Trackbar,
                        History->LastTimeButton,
                        History->NextTimeButton,
                        History->ThisTimeButton,
                        History->CloseButton};
    for (std::size_t index = 1; index < std::size(order); ++index) {
        setTabOrder(order[index - 1], order[index]);
    }
    connect(History->CloseButton, &QPushButton::clicked, this, [this] { window()->hide(); });
}

void MainWindowView::ShowStartupPage() {
    PageBanner->Navigate(StartupPageAddress(language_), language_);
}

void MainWindowView::ShowToday(const CTessvarXmlParse& holidayRoot, const LocalDate& today) {
    PageBanner->Navigate(StartPageAddress(language_), language_);
    Holidays->ShowDay(holidayRoot, today, language_);
}

void MainWindowView::RetranslateHistory() {
    History->RefreshRunView();
    update();
}

void MainWindowView::mousePressEvent(QMouseEvent* event) {
    // Any point that is not a control drags the window, as a title bar would.
    if (event->button() == Qt::LeftButton && window()->windowHandle() != nullptr) {
        window()->windowHandle()->startSystemMove();
        event->accept();
        return;
    }
    QWidget::mousePressEvent(event);
}

}  // namespace veltaro
