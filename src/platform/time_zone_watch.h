#pragma once

#include <filesystem>
#include <string>

#include "platform/file_descriptor.h"

namespace veltaro {

// Tells when the system's time zone file is replaced or rewritten, as the desktop's date settings
// and timedatectl do, and makes the C library read it again: local times computed before (the
// tray clock's next minute, the reminders' due moments) are then wrong and must be computed anew.
class TimeZoneWatch {
public:
    // Watches the folder of `zoneFile` (the file itself is replaced, not written to).
    explicit TimeZoneWatch(const std::filesystem::path& zoneFile = "/etc/localtime");
    bool IsOpen() const { return fd_.IsOpen(); }
    // Readable when something changed in the folder; for a poll or a socket notifier.
    int Descriptor() const { return fd_.Get(); }

    // Reads what happened; true when the zone file changed, and the zone was read again.
    bool ZoneChanged();

private:
    FileDescriptor fd_;
    std::string fileName_;
};

// Whether the process follows the system's zone: one given in TZ stays whatever the system does.
bool FollowsSystemTimeZone();

}  // namespace veltaro
