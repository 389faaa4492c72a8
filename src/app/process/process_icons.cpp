#include "app/process/process_icons.h"

#include <QApplication>
#include <QStyle>

#include "platform/xdg_folders.h"
#include "process/desktop_entry_icons.h"

namespace veltaro {
namespace {

QIcon IconNamed(const QString& name) {
    // An entry may name a picture file instead of a theme icon.
    return name.startsWith(QLatin1Char('/')) ? QIcon(name) : QIcon::fromTheme(name);
}

}  // namespace

ProcessIcons::ProcessIcons()
    : entries_(std::make_unique<DesktopEntryIcons>(XdgDataFolders(), ProcessEnvironment("PATH"))),
      generic_(QIcon::fromTheme(QStringLiteral("application-x-executable"),
                                QApplication::style()->standardIcon(QStyle::SP_FileIcon))) {}

ProcessIcons::~ProcessIcons() = default;

QIcon ProcessIcons::For(const QString& executablePath) {
    if (const auto known = byExecutable_.constFind(executablePath);
        known != byExecutable_.constEnd()) {
        return *known;
    }
    const std::string name = entries_->IconNameFor(executablePath.toStdString());
    QIcon icon = name.empty() ? QIcon() : IconNamed(QString::fromStdString(name));
    if (icon.isNull()) {
        icon = generic_;
    }
    byExecutable_.insert(executablePath, icon);
    return icon;
}

}  // namespace veltaro
