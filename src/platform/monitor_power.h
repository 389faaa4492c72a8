#pragma once

namespace veltaro {

// Switches the X11 display's monitors off through DPMS; false when there is no X11 display or it
// offers no DPMS (Xvfb, Wayland sessions).
bool TurnX11MonitorsOff();

}  // namespace veltaro
