#include "desktop_doubles.h"

#include <unistd.h>
#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVariant>
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <thread>

namespace veltaro::testing {
namespace {

const QString kItemInterface = QStringLiteral("org.kde.StatusNotifierItem");
const QString kMenuInterface = QStringLiteral("com.canonical.dbusmenu");

MenuNode ReadMenuNode(const QDBusArgument& argument) {
    MenuNode node;
    argument.beginStructure();
    argument >> node.id >> node.properties;
    argument.beginArray();
    while (!argument.atEnd()) {
        QDBusVariant child;
        argument >> child;
        node.children.push_back(ReadMenuNode(child.variant().value<QDBusArgument>()));
    }
    argument.endArray();
    argument.endStructure();
    return node;
}

}  // namespace

PrivateDisplay::PrivateDisplay() {
    // A number from the process id keeps parallel tests apart; a taken one is skipped.
    for (int attempt = 0; attempt < 20 && !server_; ++attempt) {
        const int number = 300 + (::getpid() * 7 + attempt) % 600;
        const std::filesystem::path socket = "/tmp/.X11-unix/X" + std::to_string(number);
        if (std::filesystem::exists(socket) ||
            std::filesystem::exists("/tmp/.X" + std::to_string(number) + "-lock")) {
            continue;
        }
        name_ = ":" + std::to_string(number);
        server_ = std::make_unique<ChildProcess>(std::vector<std::string>{
            "Xvfb", name_, "-nolisten", "tcp", "-screen", "0", "800x600x24"});
        for (int wait = 0; wait < 500 && !std::filesystem::exists(socket); ++wait) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
}

std::string CommandOutput(const std::string& command) {
    std::string output;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
            output += buffer;
        }
        ::pclose(pipe);
    }
    return output;
}

std::string RunXdotool(const std::string& display, const std::string& arguments) {
    return CommandOutput("DISPLAY=" + display + " xdotool " + arguments + " 2>/dev/null");
}

int VisibleWindows(const std::string& display, pid_t pid, const std::string& name) {
    const std::string found =
        RunXdotool(display, "search --all --onlyvisible --pid " + std::to_string(pid) +
                                " --name '" + name + "'");
    return static_cast<int>(std::count(found.begin(), found.end(), '\n'));
}

bool WaitForVisibleWindows(const std::string& display, pid_t pid, const std::string& name,
                           int shownBefore) {
    for (int wait = 0; wait < 50; ++wait) {
        if (VisibleWindows(display, pid, name) > shownBefore) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return false;
}

std::vector<std::string> LinesOf(const std::filesystem::path& file) {
    std::ifstream in(file);
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(in, line)) {
        lines.push_back(line);
    }
    return lines;
}

std::string WaitForLine(const std::filesystem::path& file, const std::string& prefix,
                        std::size_t skipLines, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    do {
        const std::vector<std::string> lines = LinesOf(file);
        for (std::size_t index = skipLines; index < lines.size(); ++index) {
            if (lines[index].starts_with(prefix)) {
                return lines[index];
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    } while (std::chrono::steady_clock::now() < deadline);
    return "";
}

std::unique_ptr<ChildProcess> StartSniWatcher(const std::string& address,
                                              const std::filesystem::path& log) {
    return std::make_unique<ChildProcess>(
        std::vector<std::string>{"/usr/bin/python3", VELTARO_SNI_WATCHER, log.string()},
        std::vector<std::string>{"DBUS_SESSION_BUS_ADDRESS=" + address});
}

std::unique_ptr<ChildProcess> StartDbusMock(const std::string& address, bool systemBus,
                                            const std::string& templateName,
                                            const std::filesystem::path& log) {
    return std::make_unique<ChildProcess>(
        std::vector<std::string>{"/usr/bin/python3", "-m", "dbusmock",
                                 systemBus ? "--system" : "--session", "-t", templateName, "-l",
                                 log.string()},
        std::vector<std::string>{
            (systemBus ? "DBUS_SYSTEM_BUS_ADDRESS=" : "DBUS_SESSION_BUS_ADDRESS=") + address});
}

bool WaitForService(QDBusConnection& bus, const QString& service) {
    for (int wait = 0; wait < 1000; ++wait) {
        if (bus.interface()->isServiceRegistered(service)) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

const MenuNode* MenuNode::Find(const QString& label) const {
    for (const MenuNode& child : children) {
        if (child.Label() == label) {
            return &child;
        }
        if (const MenuNode* found = child.Find(label)) {
            return found;
        }
    }
    return nullptr;
}

std::vector<std::uint32_t> SniItemProbe::IconPixels() {
    QDBusMessage get = QDBusMessage::createMethodCall(
        service_, QStringLiteral("/StatusNotifierItem"),
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << kItemInterface << QStringLiteral("IconPixmap");
    const QDBusMessage reply = bus_.call(get);
    if (reply.type() != QDBusMessage::ReplyMessage) {
        return {};
    }
    const QDBusArgument pixmaps =
        reply.arguments().at(0).value<QDBusVariant>().variant().value<QDBusArgument>();
    std::vector<std::uint32_t> pixels;
    pixmaps.beginArray();
    while (!pixmaps.atEnd()) {
        int width = 0;
        int height = 0;
        QByteArray bytes;
        pixmaps.beginStructure();
        pixmaps >> width >> height >> bytes;
        pixmaps.endStructure();
        if (pixels.empty() && width == 16 && height == 16 && bytes.size() == 16 * 16 * 4) {
            // ARGB32 in network byte order.
            for (int at = 0; at < bytes.size(); at += 4) {
                const auto byte = [&bytes, at](int i) {
                    return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + i]));
                };
                pixels.push_back(byte(0) << 24 | byte(1) << 16 | byte(2) << 8 | byte(3));
            }
        }
    }
    pixmaps.endArray();
    return pixels;
}

QString SniItemProbe::ToolTipTitle() {
    QDBusMessage get = QDBusMessage::createMethodCall(
        service_, QStringLiteral("/StatusNotifierItem"),
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << kItemInterface << QStringLiteral("ToolTip");
    const QDBusMessage reply = bus_.call(get);
    if (reply.type() != QDBusMessage::ReplyMessage) {
        return {};
    }
    const QDBusArgument toolTip =
        reply.arguments().at(0).value<QDBusVariant>().variant().value<QDBusArgument>();
    QString iconName;
    QString title;
    toolTip.beginStructure();
    toolTip >> iconName;
    toolTip.beginArray();
    while (!toolTip.atEnd()) {
        int width = 0;
        int height = 0;
        QByteArray bytes;
        toolTip.beginStructure();
        toolTip >> width >> height >> bytes;
        toolTip.endStructure();
    }
    toolTip.endArray();
    toolTip >> title;
    toolTip.endStructure();
    return title;
}

MenuNode SniItemProbe::MenuLayout() {
    QDBusMessage aboutToShow = QDBusMessage::createMethodCall(
        service_, QStringLiteral("/MenuBar"), kMenuInterface, QStringLiteral("AboutToShow"));
    aboutToShow << 0;
    bus_.call(aboutToShow);
    QDBusMessage layout = QDBusMessage::createMethodCall(
        service_, QStringLiteral("/MenuBar"), kMenuInterface, QStringLiteral("GetLayout"));
    layout << 0 << -1 << QStringList();
    const QDBusMessage reply = bus_.call(layout);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().size() < 2) {
        return {};
    }
    return ReadMenuNode(reply.arguments().at(1).value<QDBusArgument>());
}

bool SniItemProbe::ClickMenuItem(int id) {
    QDBusMessage event = QDBusMessage::createMethodCall(service_, QStringLiteral("/MenuBar"),
                                                        kMenuInterface, QStringLiteral("Event"));
    event << id << QStringLiteral("clicked") << QVariant::fromValue(QDBusVariant(0)) << 0u;
    return bus_.call(event).type() == QDBusMessage::ReplyMessage;
}

bool SniItemProbe::Activate() {
    QDBusMessage activate =
        QDBusMessage::createMethodCall(service_, QStringLiteral("/StatusNotifierItem"),
                                       kItemInterface, QStringLiteral("Activate"));
    activate << 0 << 0;
    return bus_.call(activate).type() == QDBusMessage::ReplyMessage;
}

}  // namespace veltaro::testing
