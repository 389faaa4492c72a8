#include "app/instance_server.h"

#include <QSocketNotifier>
#include <QTimer>

namespace veltaro {

InstanceServer::InstanceServer(std::unique_ptr<InstanceListener> listener, CommandHandler handler,
                               QObject* parent)
    : QObject(parent),
      listener_(std::move(listener)),
      handler_(std::move(handler)),
      notifier_(new QSocketNotifier(listener_->Descriptor(), QSocketNotifier::Read, this)) {
    connect(notifier_, &QSocketNotifier::activated, this, &InstanceServer::onConnection);
}

InstanceServer::~InstanceServer() = default;

void InstanceServer::onConnection() {
    while (std::shared_ptr<InstanceConnection> connection = listener_->Accept()) {
        // The watch object owns the connection's notifier and deadline; deleting it ends both.
        auto* watch = new QObject(this);
        auto* readable =
            new QSocketNotifier(connection->Descriptor(), QSocketNotifier::Read, watch);
        // The connection lives as long as this slot's capture, i.e. as long as its watch.
        connect(readable, &QSocketNotifier::activated, watch,
                [this, connection, readable] { readCommand(connection, readable); });
        QTimer::singleShot(kCommandDeadline, watch, [watch] { watch->deleteLater(); });
    }
}

void InstanceServer::readCommand(std::shared_ptr<InstanceConnection> connection,
                                 QSocketNotifier* readable) {
    const InstanceConnection::Progress progress = connection->ReadAvailable();
    if (progress == InstanceConnection::Progress::NeedMore) {
        return;
    }
    readable->setEnabled(false);
    readable->parent()->deleteLater();
    if (progress == InstanceConnection::Progress::Complete) {
        connection->Answer(handler_(connection->Command()));
    }
}

}  // namespace veltaro
