// Example plug-in with a submenu: a countdown of 5, 15 or 30 minutes that ends with a desktop
// notification. The running countdown carries a check mark; choosing it again stops it.
#include <QDBusConnection>
#include <QDBusMessage>
#include <QTimer>
#include <QVariantMap>
#include <cstdio>

#include "veltaro/plugin.h"

namespace {

constexpr int kFive = 5;
constexpr int kFifteen = 15;
constexpr int kThirty = 30;

bool chinese = false;
QTimer* timer = nullptr;
int running = 0;  // the minutes of the countdown that runs, 0 for none

void Notify(int minutes) {
    const QString summary = QString::fromUtf8(chinese ? "倒计时结束" : "Countdown over");
    const QString body = chinese ? QString::fromUtf8("%1 分钟到了。").arg(minutes)
                                 : QStringLiteral("%1 minutes have passed.").arg(minutes);
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"),
        QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    call << QStringLiteral("Veltaro") << 0u << QStringLiteral("dialog-information") << summary
         << body << QStringList() << QVariantMap() << 10000;
    QDBusConnection::sessionBus().call(call, QDBus::NoBlock);
}

void GetName(void*, char* name, int size) {
    std::snprintf(name, static_cast<std::size_t>(size), "%s", chinese ? "倒计时" : "Countdown");
}

void Execute(void*, int minutes) {
    if (timer == nullptr) {
        return;
    }
    if (running == minutes) {
        timer->stop();
        running = 0;
        return;
    }
    running = minutes;
    timer->start(minutes * 60 * 1000);
}

void Initialize(void*) {
    timer = new QTimer;
    timer->setSingleShot(true);
    QObject::connect(timer, &QTimer::timeout, [] {
        Notify(running);
        running = 0;
    });
}

void Uninitialize(void*) {
    delete timer;
    timer = nullptr;
}

const VeltaroMenu* GetMenu(void*) {
    static const VeltaroMenuItem kEnglish[] = {{kFive, "5 minutes", nullptr},
                                               {kFifteen, "15 minutes", nullptr},
                                               {0, nullptr, nullptr},
                                               {kThirty, "30 minutes", nullptr}};
    static const VeltaroMenuItem kChinese[] = {{kFive, "5 分钟", nullptr},
                                               {kFifteen, "15 分钟", nullptr},
                                               {0, nullptr, nullptr},
                                               {kThirty, "30 分钟", nullptr}};
    static const VeltaroMenu kEnglishMenu = {4, kEnglish};
    static const VeltaroMenu kChineseMenu = {4, kChinese};
    return chinese ? &kChineseMenu : &kEnglishMenu;
}

void GetMenuItemInfo(void*, int id, VeltaroMenuItemInfo* info) {
    if (id != 0) {
        info->mask = VELTARO_ITEM_STATE;
        info->enabled = 1;
        info->checked = id == running;
    }
}

void SetLanguage(void*, int language) {
    chinese = language == 4;
}

const VeltaroPlugin kPlugin = {VELTARO_PLUGIN_ABI_VERSION,
                               VELTARO_PLUGIN_CATEGORY,
                               nullptr,
                               GetName,
                               Execute,
                               Initialize,
                               Uninitialize,
                               GetMenu,
                               GetMenuItemInfo,
                               SetLanguage};

}  // namespace

extern "C" const VeltaroPlugin* veltaro_plugin_entry(int abiVersion) {
    return abiVersion == VELTARO_PLUGIN_ABI_VERSION ? &kPlugin : nullptr;
}
