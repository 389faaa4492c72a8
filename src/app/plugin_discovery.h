#pragma once

#include <QObject>
#include <condition_variable>
#include <filesystem>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace veltaro {

// Looks for plug-in libraries on a thread of its own and hands each one found to the UI thread,
// one at a time: `load` runs there (plug-in objects live on the UI thread), and the search waits
// for it before it goes on. Stop ends the search at once, also while it waits.
class PluginDiscovery : public QObject {
    Q_OBJECT

public:
    using Load = std::function<void(const std::filesystem::path& file)>;

    PluginDiscovery(std::vector<std::filesystem::path> folders, Load load,
                    QObject* parent = nullptr);
    ~PluginDiscovery() override;

    void Start();
    void Stop();

private:
    // The plug-in files that may be loaded; a refused one is reported once.
    std::vector<std::filesystem::path> TrustedFiles() const;
    void Search();
    // Queues `file` to the UI thread and waits until it was loaded; false when stopped.
    bool HandOver(const std::filesystem::path& file);

    std::vector<std::filesystem::path> folders_;
    Load load_;
    std::mutex mutex_;
    std::condition_variable handled_;
    bool stopping_ = false;
    bool waiting_ = false;
    std::thread thread_;
};

}  // namespace veltaro
