#include "app/about_dlg.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include "app/app_icon.h"
#include "platform/interface_language.h"

namespace veltaro {

bool AboutBoxOpen = false;

namespace {

// Dialog units of the template converted to pixels: x × 6 / 4, y × 13 / 8.
constexpr int kTextWidth = 260;
constexpr int kTextHeight = 130;

const char* const kEnglishLines[] = {
    "Welcome to Veltaro, the resident clock, calendar and run-time recorder.",
    "Author:\tThe Veltaro developers",
    "E-mail:\tveltaro@example.org",
    "Web:\thttps://veltaro.example.org/",
};

const char* const kChineseLines[] = {
    "欢迎使用 Veltaro：常驻桌面的时钟、万年历与开机时间记录工具。",
    "作者：\tVeltaro 开发组",
    "电子邮件：\tveltaro@example.org",
    "网站：\thttps://veltaro.example.org/",
    "",
    "版本历史：",
    "6.0\t支持 Linux 桌面：托盘时钟、整点报时通知、经 systemd-logind 的电源命令。",
    "5.0\t新增进程管理器与插件菜单。",
    "4.0\t新增提醒计划，支持农历日期与定时关机、重启、休眠、待机。",
    "3.0\t新增万年历：农历、二十四节气与节日。",
    "2.0\t新增开机历史浏览与累计运行时间。",
    "1.0\t首次发布：记录每次开机与关机的时间。",
};

}  // namespace

QString CAboutDlg::AboutText(int language) {
    QStringList lines;
    if (ShowsChineseTexts(language)) {
        for (const char* line : kChineseLines) {
            lines << QString::fromUtf8(line);
        }
    } else {
        for (const char* line : kEnglishLines) {
            lines << QString::fromUtf8(line);
        }
    }
    return lines.join(QLatin1Char('\n'));
}

CAboutDlg::CAboutDlg(int language, QWidget* parent) : QDialog(parent) {
    const bool chinese = ShowsChineseTexts(language);
    // A window of its own (not owned by the hidden main window), so the taskbar lists it.
    setWindowFlag(Qt::Window);
    setWindowTitle(chinese ? QStringLiteral("关于 Veltaro 6.0")
                           : QStringLiteral("About Veltaro 6.0"));
    setWindowIcon(AppIcon());

    auto* icon = new QLabel(this);
    icon->setPixmap(QPixmap::fromImage(AppIconImage(32)));
    icon->setAccessibleName(QStringLiteral("Veltaro"));
    auto* product = new QLabel(QStringLiteral("Veltaro 6.0"), this);
    product->setAccessibleName(product->text());
    auto* secondLine = new QLabel(
        chinese ? QStringLiteral("开机时间记录、万年历与提醒，常驻托盘。")
                : QStringLiteral("Run-time recorder, calendar and reminders in the tray."),
        this);
    secondLine->setAccessibleName(secondLine->text());
    auto* text = new QPlainTextEdit(AboutText(language), this);
    text->setReadOnly(true);
    text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    text->setMinimumSize(kTextWidth, kTextHeight);
    text->setAccessibleName(chinese ? QStringLiteral("关于") : QStringLiteral("About"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
    ok->setText(chinese ? QStringLiteral("确定") : QStringLiteral("OK"));
    ok->setAccessibleName(ok->text());
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QGridLayout(this);
    layout->addWidget(icon, 0, 0, 2, 1, Qt::AlignTop);
    layout->addWidget(product, 0, 1);
    layout->addWidget(secondLine, 1, 1);
    layout->addWidget(buttons, 0, 2, 2, 1, Qt::AlignTop);
    layout->addWidget(text, 2, 0, 1, 3);
}

}  // namespace veltaro
