// Example plug-in with one menu item: copies today's date, with its weekday, to the clipboard.
#include <QClipboard>
#include <QDate>
#include <QGuiApplication>
#include <cstdio>

#include "veltaro/plugin.h"

namespace {

bool chinese = false;

QString TodayText() {
    const QDate today = QDate::currentDate();
    static const char* const kEnglishDays[] = {"Monday", "Tuesday",  "Wednesday", "Thursday",
                                               "Friday", "Saturday", "Sunday"};
    static const char* const kChineseDays[] = {"星期一", "星期二", "星期三", "星期四",
                                               "星期五", "星期六", "星期日"};
    const int weekday = today.dayOfWeek() - 1;
    if (chinese) {
        return QString::fromUtf8("%1年%2月%3日 %4")
            .arg(today.year())
            .arg(today.month())
            .arg(today.day())
            .arg(QString::fromUtf8(kChineseDays[weekday]));
    }
    return today.toString(Qt::ISODate) + ' ' + QString::fromUtf8(kEnglishDays[weekday]);
}

void GetName(void*, char* name, int size) {
    std::snprintf(name, static_cast<std::size_t>(size), "%s",
                  chinese ? "复制今天的日期" : "Copy Today's Date");
}

void Execute(void*, int) {
    if (QClipboard* clipboard = QGuiApplication::clipboard()) {
        clipboard->setText(TodayText());
    }
}

void Initialize(void*) {}
void Uninitialize(void*) {}

const VeltaroMenu* GetMenu(void*) {
    return nullptr;
}

// A small calendar page: a red band over a white sheet with a dark frame.
void GetMenuItemInfo(void*, int, VeltaroMenuItemInfo* info) {
    info->mask = VELTARO_ITEM_PICTURE;
    for (int y = 0; y < VELTARO_PICTURE_SIZE; ++y) {
        for (int x = 0; x < VELTARO_PICTURE_SIZE; ++x) {
            const bool frame = x == 0 || y == 0 || x == 12 || y == 12;
            const bool band = y >= 1 && y <= 3;
            const bool line = (y == 6 || y == 9) && x >= 3 && x <= 9;
            std::uint32_t colour = 0xFFFFFFFFu;
            if (frame || line) {
                colour = 0xFF404040u;
            } else if (band) {
                colour = 0xFFD02020u;
            }
            info->picture[y * VELTARO_PICTURE_SIZE + x] = colour;
        }
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
