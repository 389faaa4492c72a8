#pragma once

#include <QWidget>

#include "calendar/local_date_time.h"
#include "recorder/past_runs.h"
#include "recorder/run_record.h"

class QLabel;

namespace veltaro {

class Banner;
class CStaticLink;
class CTessvarXmlParse;
class RunHistoryView;
class TodayHolidaysBox;

// What the main window shows, top to bottom: the banner, the program's icon with the web-site
// link and the author credit, the run history beside today's holidays, the trackbar and the
// buttons. The whole area drags the window.
class MainWindowView : public QWidget {
    Q_OBJECT

public:
    // `runLog`, `currentRun` and `language` belong to the main window and outlive the view.
    MainWindowView(const PastRuns& runLog, RunRecord& currentRun, const int& language,
                   QWidget* parent);

    // The banner's page when the program starts.
    void ShowStartupPage();
    // Everything that is renewed each time the window is shown: the banner's page and the
    // holidays of `today` with their links, in the current language.
    void ShowToday(const CTessvarXmlParse& holidayRoot, const LocalDate& today);
    // The history panel and its buttons in the current language; the holiday panel keeps its
    // language until the window is shown again.
    void RetranslateHistory();

    Banner* const PageBanner;
    QLabel* const IconLabel;
    CStaticLink* const WebSiteLink;
    RunHistoryView* const History;
    TodayHolidaysBox* const Holidays;

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    void ArrangeControls();

    const int& language_;
};

}  // namespace veltaro
