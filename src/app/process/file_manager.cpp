#include "app/process/file_manager.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace veltaro {
namespace {

const QString kService = QStringLiteral("org.freedesktop.FileManager1");
const QString kObject = QStringLiteral("/org/freedesktop/FileManager1");
// Long enough for a file manager to start on demand.
constexpr int kCallTimeoutMs = 10000;

}  // namespace

QString FolderUrlOf(const QString& path) {
    return QUrl::fromLocalFile(QFileInfo(path).absolutePath()).toString(QUrl::FullyEncoded);
}

FileManager::FileManager(QDBusConnection bus, QObject* parent) : QObject(parent), bus_(bus) {}

void FileManager::ShowItem(const QString& path) {
    Call(QStringLiteral("ShowItems"), path,
         [path] { QDesktopServices::openUrl(QUrl(FolderUrlOf(path))); });
}

void FileManager::ShowItemProperties(const QString& path, std::function<void()> otherwise) {
    Call(QStringLiteral("ShowItemProperties"), path, std::move(otherwise));
}

void FileManager::Call(const QString& method, const QString& path,
                       std::function<void()> otherwise) {
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kObject, kService, method);
    call << QStringList{QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded)} << QString();
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call, kCallTimeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, otherwise = std::move(otherwise)](QDBusPendingCallWatcher* answer) {
                answer->deleteLater();
                const bool answered = !answer->isError();
                if (!answered && otherwise) {
                    otherwise();
                }
                emit finished(answered);
            });
}

}  // namespace veltaro
