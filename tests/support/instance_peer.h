#pragma once

#include <chrono>
#include <memory>
#include <thread>

#include "platform/instance_channel.h"

namespace veltaro::testing {

// Plays the running instance once: takes the next connection, reads its command (polling, as a
// test thread may) and answers `answer`. Returns the command.
inline int AnswerOneCommand(InstanceListener& listener, int answer) {
    std::unique_ptr<InstanceConnection> connection;
    while (!(connection = listener.Accept())) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    while (connection->ReadAvailable() == InstanceConnection::Progress::NeedMore) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    const int command = connection->Command();
    connection->Answer(answer);
    return command;
}

}  // namespace veltaro::testing
