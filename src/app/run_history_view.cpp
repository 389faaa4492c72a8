#include "app/run_history_view.h"

#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QToolTip>
#include <QVBoxLayout>
#include <algorithm>

#include "app/run_view.h"
#include "app/static_link.h"
#include "platform/interface_language.h"

namespace veltaro {
namespace {

constexpr int kLiveRefreshMs = 1000;
// The longest run time the records allow (100 years) spelled out: the lines are made wide enough
// for it in either language, so no text is ever cut off.
constexpr std::int64_t kLongestSpanMs = 999'999LL * 3600 * 1000 + 59'000 + 59'000 * 60;

QString FromUtf8(const std::string& text) {
    return QString::fromStdString(text);
}

void SetLine(QLabel* line, const std::string& text) {
    line->setText(FromUtf8(text));
    line->setAccessibleName(line->text());
}

void SetButtonCaption(QPushButton* button, const std::string& caption) {
    button->setText(FromUtf8(caption));
    button->setAccessibleName(button->text().remove(QLatin1Char('&')));
}

QLabel* NewLine(QWidget* parent) {
    auto* line = new QLabel(parent);
    line->setTextFormat(Qt::PlainText);
    return line;
}

int WidestLine(const QFontMetrics& metrics) {
    int widest = 0;
    for (const int language : {kLanguageEnglish, kLanguageChinese}) {
        for (const std::string& text : {veltaro::RunTimeLine(kLongestSpanMs, language),
                                        veltaro::CumulativeLine(kLongestSpanMs, language)}) {
            widest = std::max(widest, metrics.horizontalAdvance(FromUtf8(text)));
        }
    }
    return widest;
}

}  // namespace

RunHistoryView::RunHistoryView(const PastRuns& runLog, RunRecord& currentRun, const int& language,
                               QWidget* host)
    : QObject(host),
      RunBox(new QGroupBox(host)),
      StartupLine(NewLine(RunBox)),
      ShutdownLine(NewLine(RunBox)),
      RunTimeLine(NewLine(RunBox)),
      CumulativeLine(NewLine(RunBox)),
      Trackbar(new QSlider(Qt::Horizontal, host)),
      LastTimeButton(new QPushButton(host)),
      NextTimeButton(new QPushButton(host)),
      ThisTimeButton(new QPushButton(host)),
      CloseButton(new QPushButton(host)),
      AuthorLink(new CStaticLink(host)),
      UsageLink(new QLabel(RunBox)),
      runLog_(runLog),
      currentRun_(currentRun),
      language_(language) {
    auto* lines = new QVBoxLayout(RunBox);
    for (QLabel* line : {StartupLine, ShutdownLine, RunTimeLine, CumulativeLine}) {
        lines->addWidget(line);
    }
    lines->addStretch();
    lines->addWidget(UsageLink, 0, Qt::AlignRight);
    UsageLink->setTextFormat(Qt::RichText);
    UsageLink->setCursor(Qt::PointingHandCursor);
    connect(UsageLink, &QLabel::linkActivated, this, &RunHistoryView::usageRequested);
    RunTimeLine->setMinimumWidth(WidestLine(RunTimeLine->fontMetrics()));

    Trackbar->setTickPosition(QSlider::NoTicks);
    Trackbar->setRange(1, LiveRunOrdinal(runLog_));
    Trackbar->setPageStep(1);
    for (QPushButton* button : {LastTimeButton, NextTimeButton, CloseButton}) {
        button->setAutoDefault(false);
    }
    ThisTimeButton->setDefault(true);

    connect(LastTimeButton, &QPushButton::clicked, this, &RunHistoryView::ShowLastTime);
    connect(NextTimeButton, &QPushButton::clicked, this, &RunHistoryView::ShowNextTime);
    connect(ThisTimeButton, &QPushButton::clicked, this, &RunHistoryView::ShowThisTime);
    // A drag shows its run once the mouse lets go; keys and clicks on the groove move the
    // trackbar without a drag and show their run at once.
    connect(Trackbar, &QSlider::sliderReleased, this, &RunHistoryView::ViewTrackbarPosition);
    connect(Trackbar, &QSlider::valueChanged, this, [this] {
        if (!Trackbar->isSliderDown()) {
            ViewTrackbarPosition();
        }
    });
    connect(Trackbar, &QSlider::sliderMoved, this, [this](int position) {
        QToolTip::showText(QCursor::pos(), QString::number(position), Trackbar);
    });
    connect(&liveTimer_, &QTimer::timeout, this, &RunHistoryView::RefreshRunView);
    RunBox->installEventFilter(this);

    ViewedRun = LiveRunOrdinal(runLog_);
    RefreshRunView();
}

void RunHistoryView::RefreshRunView() {
    const RunRecord current = SnapshotOf(currentRun_);
    const int language = language_;
    const std::optional<RunViewContent> content = RunViewOf(runLog_, current, ViewedRun, language);
    if (!content) {
        return;
    }
    {
        const QSignalBlocker quiet(Trackbar);
        Trackbar->setValue(ViewedRun);
    }
    liveTimer_.stop();
    SetCaptions(language);
    if (content->live && RunBox->isVisible()) {
        liveTimer_.start(kLiveRefreshMs);
    }
    RunBox->setTitle(FromUtf8(content->lines.caption));
    RunBox->setAccessibleName(RunBox->title());
    SetLine(StartupLine, content->lines.startup);
    SetLine(ShutdownLine, content->lines.shutdown);
    SetLine(RunTimeLine, content->lines.runTime);
    SetLine(CumulativeLine, content->lines.cumulative);
    LastTimeButton->setEnabled(content->canStepBack);
    NextTimeButton->setEnabled(content->canStepForward);
}

void RunHistoryView::ShowLastTime() {
    if (ViewedRun > 1) {
        --ViewedRun;
        RefreshRunView();
    }
}

void RunHistoryView::ShowNextTime() {
    if (ViewedRun < LiveRunOrdinal(runLog_)) {
        ++ViewedRun;
        RefreshRunView();
    }
}

void RunHistoryView::ShowThisTime() {
    ViewedRun = LiveRunOrdinal(runLog_);
    RefreshRunView();
}

void RunHistoryView::ViewTrackbarPosition() {
    ViewedRun = Trackbar->value();
    RefreshRunView();
}

void RunHistoryView::SetCaptions(int language) {
    const HistoryCaptions captions = HistoryCaptionsFor(language);
    SetButtonCaption(LastTimeButton, captions.lastTime);
    SetButtonCaption(NextTimeButton, captions.nextTime);
    SetButtonCaption(ThisTimeButton, captions.thisTime);
    SetButtonCaption(CloseButton, captions.close);
    AuthorLink->SetCaption(FromUtf8(captions.authorCredit));
    UsageLink->setText(QStringLiteral("<a href=\"usage\">%1</a>").arg(FromUtf8(captions.usage)));
    UsageLink->setAccessibleName(FromUtf8(captions.usage));
    Trackbar->setAccessibleName(FromUtf8(captions.trackbar));
}

bool RunHistoryView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == RunBox) {
        if (event->type() == QEvent::Show) {
            // Shown again: the live run may have moved on while nobody looked.
            RefreshRunView();
        } else if (event->type() == QEvent::Hide) {
            liveTimer_.stop();
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace veltaro
