#pragma once

#include <QObject>
#include <functional>
#include <memory>

#include "platform/instance_channel.h"

class QSocketNotifier;

namespace veltaro {

// Listens on this instance's socket from the UI event loop. A command is carried out by the
// handler before its answer goes back, so a newer instance that sent Exit knows, when the answer
// arrives, that this one has run its exit steps.
class InstanceServer : public QObject {
    Q_OBJECT

public:
    using CommandHandler = std::function<int(int command)>;

    InstanceServer(std::unique_ptr<InstanceListener> listener, CommandHandler handler,
                   QObject* parent = nullptr);
    ~InstanceServer() override;

private:
    void onConnection();

    std::unique_ptr<InstanceListener> listener_;
    CommandHandler handler_;
    QSocketNotifier* notifier_;
};

}  // namespace veltaro
