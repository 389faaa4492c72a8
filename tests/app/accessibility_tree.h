#pragma once

#include <QDBusConnection>
#include <QRect>
#include <QString>
#include <optional>
#include <vector>

namespace veltaro::testing {

// One element of a program's accessibility tree.
struct AccessibleElement {
    QString service;
    QString path;
    QString role;
    QString name;
    bool showing = false;
    bool enabled = false;
};

// A screen reader's view of the programs of this session: the AT-SPI accessibility bus, which
// the session bus starts on request. Programs expose their trees there when their toolkit's
// accessibility is on.
class AccessibilityTree {
public:
    // Starts or finds the accessibility bus; false when the session has none.
    bool Connect();

    // The elements of the application called `applicationName`, depth first; empty when it is
    // not on the bus (yet).
    std::vector<AccessibleElement> ElementsOf(const QString& applicationName);
    // The first showing element with this role and name.
    std::optional<AccessibleElement> Find(const QString& applicationName, const QString& role,
                                          const QString& name);
    // Carries out the element's first action (a button's press).
    bool Press(const AccessibleElement& element);
    // Where the element is on the screen.
    QRect ScreenExtents(const AccessibleElement& element);

private:
    void Collect(const QString& service, const QString& path,
                 std::vector<AccessibleElement>& elements);
    std::optional<QString> ServiceOf(const QString& applicationName);

    std::optional<QDBusConnection> bus_;
};

}  // namespace veltaro::testing
