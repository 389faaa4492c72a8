#include "app/tray_host.h"

#include <malloc.h>

#include <QImage>
#include <QMenu>
#include <QSocketNotifier>
#include <QSystemTrayIcon>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "app/command_ids.h"
#include "app/durmet_app.h"
#include "app/durmet_dlg.h"
#include "app/menu_pictures.h"
#include "platform/process_memory.h"
#include "tray/clock_schedule.h"
#include "tray/tray_texts.h"

namespace veltaro {
namespace {

// A panel starting with the session may take a moment; only then is a missing tray worth a word.
constexpr int kTrayGraceMs = 3000;

QImage ClockImage(const ClockPicture& picture) {
    QImage image(ClockPicture::kSize, ClockPicture::kSize, QImage::Format_ARGB32);
    for (int y = 0; y < ClockPicture::kSize; ++y) {
        std::memcpy(image.scanLine(y), picture.Pixels().data() + y * ClockPicture::kSize,
                    ClockPicture::kSize * sizeof(std::uint32_t));
    }
    return image;
}

// Equal captions, commands and nesting: the menu can be updated instead of built anew.
bool SameShape(const std::vector<MenuItem>& a, const std::vector<MenuItem>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const MenuItem& x, const MenuItem& y) {
                          return x.kind == y.kind && x.command == y.command &&
                                 x.caption == y.caption && SameShape(x.children, y.children);
                      });
}

QIcon ItemIcon(const MenuItem& item) {
    if (item.picture.size() == kMenuPictureSize * kMenuPictureSize) {
        QImage image(kMenuPictureSize, kMenuPictureSize, QImage::Format_ARGB32);
        std::memcpy(image.bits(), item.picture.data(), item.picture.size() * sizeof(std::uint32_t));
        return QIcon(QPixmap::fromImage(image));
    }
    return QIcon(MenuPicture(item.bitmap));
}

void ShowItemState(QAction& action, const MenuItem& item) {
    // Like the old menus: a picture while unchecked, the check mark alone while checked.
    action.setCheckable(item.checked);
    action.setChecked(item.checked);
    action.setEnabled(item.enabled);
    action.setIcon(ItemIcon(item));
}

}  // namespace

TrayHost::TrayHost(CDurmetDlg& window, CDurmetApp& app, const Clock& clock)
    : window_(window),
      app_(app),
      clock_(clock),
      availability_(QDBusConnection::sessionBus()),
      notifier_(QDBusConnection::sessionBus(),
                [this](const QString& summary, const QString& body) {
                    if (icon_ != nullptr) {
                        icon_->showMessage(summary, body, QSystemTrayIcon::Information, 10000);
                    }
                }),
      menu_(std::make_unique<QMenu>()) {
    connect(menu_.get(), &QMenu::aboutToShow, this, &TrayHost::OnMenuAboutToShow);
    connect(menu_.get(), &QMenu::aboutToHide, this, &TrayHost::OnMenuAboutToHide);
}

TrayHost::~TrayHost() {
    Stop();
}

void TrayHost::Start() {
    if (timer_.IsOpen()) {
        timerNotifier_ = new QSocketNotifier(timer_.Descriptor(), QSocketNotifier::Read, this);
        connect(timerNotifier_, &QSocketNotifier::activated, this, &TrayHost::OnClockTimer);
    }
    const std::int64_t now = clock_.NowSeconds();
    ShowTime(now);
    Aim(now);
    connect(&availability_, &TrayAvailability::appeared, this, &TrayHost::OnTrayAppeared);
    availability_.Start();
    QTimer::singleShot(kTrayGraceMs, this, &TrayHost::ReportMissingTray);
}

void TrayHost::Stop() {
    if (timerNotifier_ != nullptr) {
        timerNotifier_->setEnabled(false);
    }
    notifier_.CloseShown();
    delete icon_;
    icon_ = nullptr;
}

void TrayHost::OnTrayAppeared() {
    if (icon_ != nullptr) {
        return;
    }
    icon_ = new QSystemTrayIcon(this);
    icon_->setIcon(QIcon(QPixmap::fromImage(ClockImage(shownPicture_))));
    icon_->setToolTip(shownToolTip_);
    icon_->setContextMenu(menu_.get());
    RenderMenu(
        BuildTrayMenu({app_.AppLanguage, window_.RemindOnHour}, window_.Plugins.BuildMenuItems()));
    connect(icon_, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::Trigger) {
                    window_.OnCommand(kCommandShowMainWindow);
                }
            });
    icon_->show();
}

void TrayHost::ReportMissingTray() {
    if (!availability_.HasAppeared()) {
        std::fputs(
            "Veltaro: no system tray yet; the clock icon appears when a panel with a tray starts. "
            "Every command is reachable with `veltaro-cli open`.\n",
            stderr);
    }
}

void TrayHost::OnClockTimer() {
    switch (timer_.Read()) {
        case WallClockTimer::Outcome::Due: {
            const std::int64_t now = clock_.NowSeconds();
            // The aimed moment, not a clock read that may lag behind it, says what to show.
            const std::int64_t shown = std::max(now, aimedAt_);
            ShowTime(shown);
            if (aimedAtTopOfHour_ && window_.RemindOnHour && ChimeStillDue(aimedAt_, now)) {
                Chime(aimedAt_);
            }
            TrimMemory(aimedAtTopOfHour_);
            Aim(shown);
            break;
        }
        case WallClockTimer::Outcome::ClockChanged:
            ClockChanged();
            break;
        case WallClockTimer::Outcome::NotYet:
            break;
    }
}

void TrayHost::ClockChanged() {
    const std::int64_t now = clock_.NowSeconds();
    ShowTime(now);
    Aim(now);
}

void TrayHost::Aim(std::int64_t fromSeconds) {
    const ClockWake wake = NextClockWake(fromSeconds);
    aimedAt_ = wake.atSeconds;
    aimedAtTopOfHour_ = wake.topOfHour;
    timer_.Arm(aimedAt_);
}

void TrayHost::Refresh() {
    ShowTime(shownAt_);
}

void TrayHost::ShowTime(std::int64_t atSeconds) {
    shownAt_ = atSeconds;
    const std::tm local = LocalTime(atSeconds);
    const ClockPicture picture = DrawClockPicture(local.tm_hour, local.tm_min, local.tm_sec);
    const QString toolTip = QString::fromStdString(TrayToolTip(local, app_.AppLanguage));
    const bool newPicture = picture != shownPicture_;
    const bool newToolTip = toolTip != shownToolTip_;
    shownPicture_ = picture;
    shownToolTip_ = toolTip;
    // Each push costs the panel a redraw: only what changed goes out.
    if (icon_ != nullptr && newPicture) {
        icon_->setIcon(QIcon(QPixmap::fromImage(ClockImage(picture))));
    }
    if (icon_ != nullptr && newToolTip) {
        icon_->setToolTip(toolTip);
    }
}

void TrayHost::Chime(std::int64_t hourSeconds) {
    const int hour = LocalTime(hourSeconds).tm_hour;
    notifier_.Show(QString::fromUtf8(kChimeSummary),
                   QString::fromStdString(ChimeText(hour, app_.AppLanguage)));
}

void TrayHost::TrimMemory(bool topOfHour) {
    if (ShouldTrimMemory(ResidentBytes(), topOfHour, window_.MenuOpenCount)) {
        ::malloc_trim(0);
    }
}

void TrayHost::OnMenuAboutToShow() {
    ++window_.MenuOpenCount;
    RenderMenu(
        BuildTrayMenu({app_.AppLanguage, window_.RemindOnHour}, window_.Plugins.BuildMenuItems()));
    ApplyMenuBackground();
}

void TrayHost::OnMenuAboutToHide() {
    window_.MenuOpenCount = std::max(0, window_.MenuOpenCount - 1);
}

void TrayHost::RenderMenu(const std::vector<MenuItem>& items) {
    if (SameShape(items, renderedMenu_)) {
        UpdateMenuInPlace(*menu_, items);
    } else {
        menu_->clear();
        FillMenu(*menu_, items);
    }
    renderedMenu_ = items;
}

// Submenus are children of their menu: cleared with it, and styled with it.
void TrayHost::FillMenu(QMenu& menu, const std::vector<MenuItem>& items) {
    for (const MenuItem& item : items) {
        switch (item.kind) {
            case MenuItemKind::Separator:
                menu.addSeparator();
                break;
            case MenuItemKind::Submenu: {
                auto* submenu = new QMenu(QString::fromStdString(item.caption), &menu);
                submenu->setIcon(ItemIcon(item));
                menu.addMenu(submenu);
                FillMenu(*submenu, item.children);
                break;
            }
            case MenuItemKind::Command:
                AddCommand(menu, item);
                break;
        }
    }
}

void TrayHost::AddCommand(QMenu& menu, const MenuItem& item) {
    QAction* action = menu.addAction(QString::fromStdString(item.caption));
    ShowItemState(*action, item);
    const int command = item.command;
    // Queued: the command may end the program, and with it this menu, which must first finish
    // handling the click.
    connect(
        action, &QAction::triggered, this, [this, command] { window_.OnCommand(command); },
        Qt::QueuedConnection);
    if (item.isDefault) {
        menu.setDefaultAction(action);
    }
}

void TrayHost::UpdateMenuInPlace(QMenu& menu, const std::vector<MenuItem>& items) {
    const QList<QAction*> actions = menu.actions();
    for (std::size_t index = 0; index < items.size(); ++index) {
        QAction& action = *actions[static_cast<qsizetype>(index)];
        const MenuItem& item = items[index];
        if (item.kind == MenuItemKind::Command) {
            ShowItemState(action, item);
        } else if (item.kind == MenuItemKind::Submenu) {
            action.setIcon(ItemIcon(item));
            UpdateMenuInPlace(*action.menu(), item.children);
        }
    }
}

// The picture behind the menu and its submenus (where Qt draws them; a panel that draws the menu
// from D-Bus shows its own). A picture that can't be read falls back to the one beside the
// program; that choice is kept and saved at exit.
void TrayHost::ApplyMenuBackground() {
    QString path = QString::fromStdString(app_.BackgroundPath);
    if (QImage(path).isNull()) {
        app_.BackgroundPath = (app_.DataFolder / "Background.bmp").string();
        path = QString::fromStdString(app_.BackgroundPath);
        if (QImage(path).isNull()) {
            path.clear();
        }
    }
    if (path == menuBackground_) {
        return;
    }
    menuBackground_ = path;
    QString quoted = path;
    quoted.replace(QLatin1Char('\\'), QLatin1String("\\\\"))
        .replace(QLatin1Char('"'), QLatin1String("\\\""));
    menu_->setStyleSheet(
        path.isEmpty() ? QString()
                       : QStringLiteral("QMenu { background-image: url(\"%1\"); }").arg(quoted));
}

}  // namespace veltaro
