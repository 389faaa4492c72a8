#include "app/remind/remind_info_dlg.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/app_icon.h"
#include "app/banner.h"
#include "app/dialog_units.h"
#include "platform/interface_language.h"
#include "web/page_address.h"

namespace veltaro {
namespace {

// The template's 274 × 170 dialog units.
constexpr int kWidthUnits = 274;
constexpr int kHeightUnits = 170;
constexpr int kMargin = 11;

QString FromStd(const std::string& text) {
    return QString::fromStdString(text);
}

QLabel* CaptionedLabel(const std::string& text, QWidget* parent) {
    auto* label = new QLabel(FromStd(text), parent);
    label->setAccessibleName(label->text());
    return label;
}

QPushButton* CaptionedButton(const QString& text, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setAccessibleName(QString(text).remove(QLatin1Char('&')));
    return button;
}

}  // namespace

CQuorvaneRemindInfoDlg::CQuorvaneRemindInfoDlg(const DueReminder& reminder, int language,
                                               const Clock& clock, std::chrono::milliseconds tick,
                                               QWidget* parent)
    : QDialog(parent), language_(language) {
    const bool chinese = ShowsChineseTexts(language);
    // A window of its own above every other, so an alert behind other windows is never missed.
    setWindowFlags(Qt::Window | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setWindowTitle(chinese ? QStringLiteral("提醒激活 - Veltaro")
                           : QStringLiteral("Remind Active - Veltaro"));
    setWindowIcon(AppIcon());

    PageBanner = new Banner(this);
    PageBanner->Navigate(RemindPageAddress(language), language);
    PageBanner->setAccessibleName(PageBanner->Address());
    const LocalDate today = DateOf(LocalDateTimeFromTm(LocalTime(clock.NowSeconds())));
    DateLine = CaptionedLabel(AlertDateLine(today, language), this);
    TimeLine = CaptionedLabel(AlertTimeLine(reminder.time, language), this);
    ActionLine = CaptionedLabel(AlertActionLine(reminder.action, language), this);
    MessageLabel = CaptionedLabel(chinese ? "信息" : "Info", this);
    Message = new QPlainTextEdit(QString::fromStdString(reminder.message), this);
    Message->setReadOnly(true);
    Message->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Message->setAccessibleName(MessageLabel->text());
    ExecuteButton =
        CaptionedButton(chinese ? QStringLiteral("执行(&E)") : QStringLiteral("&Execute"), this);
    ExecuteButton->setDefault(true);
    CancelButton =
        CaptionedButton(chinese ? QStringLiteral("取消(&C)") : QStringLiteral("&Cancel"), this);
    connect(ExecuteButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    ArrangeControls();

    connect(&ticker_, &QTimer::timeout, this, &CQuorvaneRemindInfoDlg::Tick);
    ticker_.start(tick);
}

void CQuorvaneRemindInfoDlg::ArrangeControls() {
    PageBanner->setFixedSize(BannerSize(BannerPlace::kAlert));
    QVBoxLayout* content = LayoutBelowBanner(*this, *PageBanner, kMargin);
    auto* frame = new QGroupBox(this);
    auto* texts = new QVBoxLayout(frame);
    for (QWidget* line : {static_cast<QWidget*>(DateLine), static_cast<QWidget*>(TimeLine),
                          static_cast<QWidget*>(ActionLine), static_cast<QWidget*>(MessageLabel),
                          static_cast<QWidget*>(Message)}) {
        texts->addWidget(line);
    }
    content->addWidget(frame, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ExecuteButton);
    buttons->addWidget(CancelButton);
    content->addLayout(buttons);
    // The template's size, larger only where the style's fonts need it.
    resize(DialogUnitsToPixelsX(kWidthUnits), DialogUnitsToPixelsY(kHeightUnits));
}

void CQuorvaneRemindInfoDlg::Tick() {
    const int shown = countdown_.Tick();
    ExecuteButton->setText(QString::fromStdString(AlertExecuteCaption(shown, language_)));
    ExecuteButton->setAccessibleName(ExecuteButton->text());
    if (countdown_.Expired()) {
        ticker_.stop();
        accept();
    }
}

}  // namespace veltaro
