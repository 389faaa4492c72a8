#pragma once

#include <QHash>
#include <QIcon>
#include <QString>
#include <memory>

namespace veltaro {

class DesktopEntryIcons;

// The process list's icons: an executable's icon is that of the desktop entry which starts it,
// else the theme's generic executable icon. Each executable is looked up once.
class ProcessIcons {
public:
    ProcessIcons();
    ~ProcessIcons();

    QIcon For(const QString& executablePath);

private:
    std::unique_ptr<DesktopEntryIcons> entries_;
    QIcon generic_;
    QHash<QString, QIcon> byExecutable_;
};

}  // namespace veltaro
