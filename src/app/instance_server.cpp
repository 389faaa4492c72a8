#include "app/instance_server.h"

#include <QSocketNotifier>

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
    const std::unique_ptr<InstanceRequest> request = listener_->Accept();
    if (request) {
        request->Answer(handler_(request->Command()));
    }
}

}  // namespace veltaro
