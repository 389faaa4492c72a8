#include "app/chime_notifier.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QVariantMap>

namespace veltaro {
namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
constexpr int kExpireMs = 10000;
constexpr int kShownMs = 8000;

QDBusMessage NotificationCall(const char* method) {
    return QDBusMessage::createMethodCall(kService, kPath, kService, QString::fromUtf8(method));
}

}  // namespace

ChimeNotifier::ChimeNotifier(QDBusConnection sessionBus, Fallback fallback, QObject* parent)
    : QObject(parent), sessionBus_(std::move(sessionBus)), fallback_(std::move(fallback)) {
    closeTimer_.setSingleShot(true);
    closeTimer_.setInterval(kShownMs);
    connect(&closeTimer_, &QTimer::timeout, this, &ChimeNotifier::CloseShown);
}

ChimeNotifier::~ChimeNotifier() {
    CloseShown();
}

void ChimeNotifier::Show(const QString& summary, const QString& body) {
    if (!sessionBus_.isConnected()) {
        fallback_(summary, body);
        return;
    }
    CloseShown();
    QDBusMessage notify = NotificationCall("Notify");
    notify << QStringLiteral("Veltaro") << quint32(0) << QStringLiteral("dialog-information")
           << summary << body << QStringList() << QVariantMap() << qint32(kExpireMs);
    auto* pending = new QDBusPendingCallWatcher(sessionBus_.asyncCall(notify), this);
    connect(pending, &QDBusPendingCallWatcher::finished, this,
            [this, summary, body](QDBusPendingCallWatcher* call) {
                const QDBusPendingReply<quint32> reply = *call;
                call->deleteLater();
                if (reply.isValid()) {
                    OnShown(reply.value());
                } else {
                    fallback_(summary, body);
                }
            });
}

void ChimeNotifier::OnShown(quint32 id) {
    shownId_ = id;
    closeTimer_.start();
}

void ChimeNotifier::CloseShown() {
    closeTimer_.stop();
    if (shownId_ == 0) {
        return;
    }
    QDBusMessage close = NotificationCall("CloseNotification");
    close << shownId_;
    sessionBus_.call(close, QDBus::NoBlock);
    shownId_ = 0;
}

}  // namespace veltaro
