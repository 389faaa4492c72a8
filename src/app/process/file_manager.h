#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <functional>

namespace veltaro {

// The desktop's file manager, through org.freedesktop.FileManager1 on the session bus. The calls
// do not wait for it: a file manager that has to start first would freeze the window.
class FileManager : public QObject {
    Q_OBJECT

public:
    explicit FileManager(QDBusConnection bus, QObject* parent = nullptr);

    // Shows the file selected in its folder; without the service, opens the folder with the
    // desktop's default program (xdg-open).
    void ShowItem(const QString& path);
    // Opens the file's properties; without the service, `otherwise` runs instead.
    void ShowItemProperties(const QString& path, std::function<void()> otherwise);

signals:
    // A call has had its answer; `answered` is false when the fallback ran.
    void finished(bool answered);

private:
    void Call(const QString& method, const QString& path, std::function<void()> otherwise);

    QDBusConnection bus_;
};

// The folder of `path`, as the URL the fallback opens.
QString FolderUrlOf(const QString& path);

}  // namespace veltaro
