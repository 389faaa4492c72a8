#include "platform/monitor_power.h"

#include <X11/Xlib.h>
#include <X11/extensions/dpms.h>

#include <cstdlib>

namespace veltaro {

bool TurnX11MonitorsOff() {
    if (std::getenv("DISPLAY") == nullptr) {
        return false;
    }
    // A connection of its own: the call works whatever toolkit platform the program runs on.
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        return false;
    }
    int eventBase = 0;
    int errorBase = 0;
    const bool capable =
        DPMSQueryExtension(display, &eventBase, &errorBase) && DPMSCapable(display);
    if (capable) {
        DPMSEnable(display);
        DPMSForceLevel(display, DPMSModeOff);
        XSync(display, False);
    }
    XCloseDisplay(display);
    return capable;
}

}  // namespace veltaro
