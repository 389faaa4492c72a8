#include "platform/time_zone_watch.h"

#include <sys/inotify.h>
#include <time.h>

#include <cstdlib>
#include <cstring>

namespace veltaro {

TimeZoneWatch::TimeZoneWatch(const std::filesystem::path& zoneFile)
    : fd_(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)), fileName_(zoneFile.filename()) {
    constexpr std::uint32_t kReplacedOrWritten =
        IN_CREATE | IN_MOVED_TO | IN_CLOSE_WRITE | IN_DELETE | IN_MOVED_FROM;
    if (fd_.IsOpen() &&
        ::inotify_add_watch(fd_.Get(), zoneFile.parent_path().c_str(), kReplacedOrWritten) < 0) {
        fd_.Close();
    }
}

bool TimeZoneWatch::ZoneChanged() {
    bool changed = false;
    // Aligned for the event headers that the kernel writes into it.
    alignas(inotify_event) char events[4096];
    for (;;) {
        const ssize_t length = ::read(fd_.Get(), events, sizeof events);
        if (length <= 0) {
            break;
        }
        for (ssize_t at = 0; at < length;) {
            const auto* event = reinterpret_cast<const inotify_event*>(events + at);
            changed = changed || (event->len > 0 && fileName_ == event->name);
            at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
        }
    }
    if (changed) {
        ::tzset();
    }
    return changed;
}

bool FollowsSystemTimeZone() {
    return std::getenv("TZ") == nullptr;
}

}  // namespace veltaro
