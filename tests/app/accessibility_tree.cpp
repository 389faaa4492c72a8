#include "accessibility_tree.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <QDBusVariant>

namespace veltaro::testing {
namespace {

const QString kRootPath = QStringLiteral("/org/a11y/atspi/accessible/root");
const QString kAccessible = QStringLiteral("org.a11y.atspi.Accessible");
// A peer that does not answer (a registry still starting) must not hold a test for long; the
// bus itself may take longer to start on a busy machine.
constexpr int kCallTimeoutMs = 3000;
constexpr int kBusStartTimeoutMs = 20000;
constexpr uint kStateEnabled = 8;
constexpr uint kStateShowing = 25;

QDBusMessage Call(QDBusConnection& bus, const QString& service, const QString& path,
                  const QString& interface, const QString& method, const QVariantList& arguments,
                  int timeoutMs = kCallTimeoutMs) {
    QDBusMessage message = QDBusMessage::createMethodCall(service, path, interface, method);
    message.setArguments(arguments);
    return bus.call(message, QDBus::Block, timeoutMs);
}

QVariant FirstResult(const QDBusMessage& reply) {
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        return {};
    }
    return reply.arguments().first();
}

QString NameOf(QDBusConnection& bus, const QString& service, const QString& path) {
    const QVariant value =
        FirstResult(Call(bus, service, path, QStringLiteral("org.freedesktop.DBus.Properties"),
                         QStringLiteral("Get"), {kAccessible, QStringLiteral("Name")}));
    return qvariant_cast<QDBusVariant>(value).variant().toString();
}

}  // namespace

bool AccessibilityTree::Connect() {
    QDBusConnection session = QDBusConnection::sessionBus();
    const QDBusMessage reply =
        Call(session, QStringLiteral("org.a11y.Bus"), QStringLiteral("/org/a11y/bus"),
             QStringLiteral("org.a11y.Bus"), QStringLiteral("GetAddress"), {}, kBusStartTimeoutMs);
    const QString address = FirstResult(reply).toString();
    if (address.isEmpty()) {
        return false;
    }
    bus_ = QDBusConnection::connectToBus(address, QStringLiteral("accessibility-tree"));
    return bus_->isConnected();
}

std::optional<QString> AccessibilityTree::ServiceOf(const QString& applicationName) {
    const QStringList services = bus_->interface()->registeredServiceNames().value();
    for (const QString& service : services) {
        if (service.startsWith(QLatin1Char(':')) && service != bus_->baseService() &&
            NameOf(*bus_, service, kRootPath) == applicationName) {
            return service;
        }
    }
    return std::nullopt;
}

std::vector<AccessibleElement> AccessibilityTree::ElementsOf(const QString& applicationName) {
    std::vector<AccessibleElement> elements;
    if (const std::optional<QString> service = ServiceOf(applicationName)) {
        Collect(*service, kRootPath, elements);
    }
    return elements;
}

void AccessibilityTree::Collect(const QString& service, const QString& path,
                                std::vector<AccessibleElement>& elements) {
    AccessibleElement element{service, path, {}, NameOf(*bus_, service, path)};
    element.role =
        FirstResult(Call(*bus_, service, path, kAccessible, QStringLiteral("GetRoleName"), {}))
            .toString();
    const QDBusMessage state =
        Call(*bus_, service, path, kAccessible, QStringLiteral("GetState"), {});
    QList<uint> bits;
    if (const QVariant first = FirstResult(state); first.isValid()) {
        qvariant_cast<QDBusArgument>(first) >> bits;
    }
    const uint low = bits.isEmpty() ? 0 : bits.first();
    element.showing = (low & (1u << kStateShowing)) != 0;
    element.enabled = (low & (1u << kStateEnabled)) != 0;
    elements.push_back(element);

    const QDBusArgument children = qvariant_cast<QDBusArgument>(
        FirstResult(Call(*bus_, service, path, kAccessible, QStringLiteral("GetChildren"), {})));
    if (children.currentType() != QDBusArgument::ArrayType) {
        return;
    }
    std::vector<std::pair<QString, QString>> references;
    children.beginArray();
    while (!children.atEnd()) {
        QString childService;
        QDBusObjectPath childPath;
        children.beginStructure();
        children >> childService >> childPath;
        children.endStructure();
        references.emplace_back(childService, childPath.path());
    }
    children.endArray();
    for (const auto& [childService, childPath] : references) {
        Collect(childService, childPath, elements);
    }
}

std::optional<AccessibleElement> AccessibilityTree::Find(const QString& applicationName,
                                                         const QString& role, const QString& name) {
    for (const AccessibleElement& element : ElementsOf(applicationName)) {
        if (element.showing && element.role == role && element.name == name) {
            return element;
        }
    }
    return std::nullopt;
}

bool AccessibilityTree::Press(const AccessibleElement& element) {
    return FirstResult(Call(*bus_, element.service, element.path,
                            QStringLiteral("org.a11y.atspi.Action"), QStringLiteral("DoAction"),
                            {0}))
        .toBool();
}

QRect AccessibilityTree::ScreenExtents(const AccessibleElement& element) {
    const QDBusArgument box = qvariant_cast<QDBusArgument>(FirstResult(
        Call(*bus_, element.service, element.path, QStringLiteral("org.a11y.atspi.Component"),
             QStringLiteral("GetExtents"), {QVariant::fromValue(0u)})));
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    box.beginStructure();
    box >> x >> y >> width >> height;
    box.endStructure();
    return {x, y, width, height};
}

}  // namespace veltaro::testing
