#pragma once

#include <QObject>
#include <chrono>
#include <functional>
#include <memory>

#include "platform/instance_channel.h"

class QSocketNotifier;

namespace veltaro {

// Listens on this instance's socket from the UI event loop, without ever blocking it: each
// connection is read as its bytes arrive and dropped when its command doesn't arrive in time. A
// command is carried out by the handler before its answer goes back, so a newer instance that
// sent Exit knows, when the answer arrives, that this one has run its exit steps.
class InstanceServer : public QObject {
    Q_OBJECT

public:
    using CommandHandler = std::function<int(int command)>;
    static constexpr std::chrono::milliseconds kCommandDeadline{1000};

    InstanceServer(std::unique_ptr<InstanceListener> listener, CommandHandler handler,
                   QObject* parent = nullptr);
    ~InstanceServer() override;

private:
    void onConnection();
    void readCommand(std::shared_ptr<InstanceConnection> connection, QSocketNotifier* readable);

    std::unique_ptr<InstanceListener> listener_;
    CommandHandler handler_;
    QSocketNotifier* notifier_;
};

}  // namespace veltaro
