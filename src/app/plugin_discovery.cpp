#include "app/plugin_discovery.h"

#include <QMetaObject>
#include <system_error>

#include "platform/problem_report.h"
#include "plugins/plugin_folders.h"
#include "plugins/shared_library_plugin.h"

namespace veltaro {

PluginDiscovery::PluginDiscovery(std::vector<std::filesystem::path> folders, Load load,
                                 QObject* parent)
    : QObject(parent), folders_(std::move(folders)), load_(std::move(load)) {}

PluginDiscovery::~PluginDiscovery() {
    Stop();
}

void PluginDiscovery::Start() {
    try {
        thread_ = std::thread([this] { Search(); });
    } catch (const std::system_error&) {
        // No thread to be had: the search runs here, on the UI thread, all at once.
        for (const std::filesystem::path& file : TrustedFiles()) {
            load_(file);
        }
    }
}

std::vector<std::filesystem::path> PluginDiscovery::TrustedFiles() const {
    std::vector<std::filesystem::path> trusted;
    for (const std::filesystem::path& file : ListPluginFiles(folders_)) {
        if (const std::string refusal = RefusalOfPluginFile(file); refusal.empty()) {
            trusted.push_back(file);
        } else {
            ReportProblemOnce("plugin:" + file.string(),
                              "plug-in " + file.string() + " not loaded: " + refusal);
        }
    }
    return trusted;
}

void PluginDiscovery::Stop() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    handled_.notify_all();
    if (thread_.joinable()) {
        thread_.join();
    }
}

void PluginDiscovery::Search() {
    for (const std::filesystem::path& file : TrustedFiles()) {
        if (!HandOver(file)) {
            return;
        }
    }
}

bool PluginDiscovery::HandOver(const std::filesystem::path& file) {
    std::unique_lock lock(mutex_);
    if (stopping_) {
        return false;
    }
    waiting_ = true;
    QMetaObject::invokeMethod(
        this,
        [this, file] {
            {
                const std::lock_guard running(mutex_);
                if (stopping_) {
                    return;
                }
            }
            load_(file);
            {
                const std::lock_guard done(mutex_);
                waiting_ = false;
            }
            handled_.notify_all();
        },
        Qt::QueuedConnection);
    handled_.wait(lock, [this] { return !waiting_ || stopping_; });
    return !stopping_;
}

}  // namespace veltaro
