#pragma once

#include <QDBusConnection>
#include <QString>
#include <QVariantMap>
#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "child_process.h"

namespace veltaro::testing {

// An X server of the test's own (Xvfb), so that tray managers and windows of tests running side by
// side never meet.
class PrivateDisplay {
public:
    PrivateDisplay();
    const std::string& Name() const { return name_; }

private:
    std::string name_;
    std::unique_ptr<ChildProcess> server_;
};

// What a shell command printed; empty when it failed.
std::string CommandOutput(const std::string& command);
// Runs xdotool with `arguments` (blank-separated) on `display`; its output.
std::string RunXdotool(const std::string& display, const std::string& arguments);
// The visible windows of process `pid` whose name matches the regular expression `name`.
int VisibleWindows(const std::string& display, pid_t pid, const std::string& name = ".*");
// Waits until more than `shownBefore` such windows are visible.
bool WaitForVisibleWindows(const std::string& display, pid_t pid, const std::string& name = ".*",
                           int shownBefore = 0);

// Waits until `file` holds a line starting with `prefix` after its first `skipLines` lines;
// returns that line, or "" when none came in time.
std::string WaitForLine(const std::filesystem::path& file, const std::string& prefix,
                        std::size_t skipLines = 0,
                        std::chrono::milliseconds timeout = std::chrono::seconds(10));
std::vector<std::string> LinesOf(const std::filesystem::path& file);

// The project's StatusNotifierWatcher (tests/app/sni_watcher.py) on the bus at `address`.
std::unique_ptr<ChildProcess> StartSniWatcher(const std::string& address,
                                              const std::filesystem::path& log);

// A python3-dbusmock template ("logind", "notification_daemon") on the bus at `address`.
std::unique_ptr<ChildProcess> StartDbusMock(const std::string& address, bool systemBus,
                                            const std::string& templateName,
                                            const std::filesystem::path& log);
bool WaitForService(QDBusConnection& bus, const QString& service);

// One entry of a dbusmenu layout.
struct MenuNode {
    int id = 0;
    QVariantMap properties;
    std::vector<MenuNode> children;

    QString Label() const { return properties.value(QStringLiteral("label")).toString(); }
    int ToggleState() const { return properties.value(QStringLiteral("toggle-state"), -1).toInt(); }
    const MenuNode* Find(const QString& label) const;
};

// The StatusNotifierItem of a program, seen from the panel's side.
class SniItemProbe {
public:
    SniItemProbe(QDBusConnection bus, QString service) : bus_(bus), service_(std::move(service)) {}

    // The first 16 x 16 image of IconPixmap as ARGB values, row by row; empty when there is none.
    std::vector<std::uint32_t> IconPixels();
    QString ToolTipTitle();
    // Opens the menu as a panel does and reads its whole layout.
    MenuNode MenuLayout();
    bool ClickMenuItem(int id);
    bool Activate();

private:
    QDBusConnection bus_;
    QString service_;
};

}  // namespace veltaro::testing
