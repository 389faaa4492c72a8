#pragma once

namespace veltaro {

// The window arrangements are drawn in dialog units; these are the base units of the 8-point
// dialog font at 96 dpi, so every window keeps the proportions it was designed with.
constexpr int DialogUnitsToPixelsX(int units) {
    return units * 6 / 4;
}
constexpr int DialogUnitsToPixelsY(int units) {
    return units * 13 / 8;
}

}  // namespace veltaro
