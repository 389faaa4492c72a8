#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace veltaro {

// The 16 x 16 clock of the tray icon, as ARGB pixels; 0 is transparent.
class ClockPicture {
public:
    static constexpr int kSize = 16;

    std::uint32_t At(int x, int y) const { return pixels_[Index(x, y)]; }
    void Set(int x, int y, std::uint32_t argb) { pixels_[Index(x, y)] = argb; }
    const std::array<std::uint32_t, kSize * kSize>& Pixels() const { return pixels_; }
    bool operator==(const ClockPicture&) const = default;

private:
    // Row-major as an image is stored: line y, column x.
    static int Index(int x, int y) { return y * kSize + x; }
    std::array<std::uint32_t, kSize * kSize> pixels_{};
};

struct PixelPoint {
    int x = 0;
    int y = 0;
    bool operator==(const PixelPoint&) const = default;
};

inline constexpr std::uint32_t kClockRim = 0xff000001;         // RGB(0, 0, 1): black, yet opaque
inline constexpr std::uint32_t kClockFace = 0xffffffff;        // white
inline constexpr std::uint32_t kClockDot = 0xff0000ff;         // RGB(0, 0, 255)
inline constexpr std::uint32_t kClockMinuteHand = 0xffff0000;  // RGB(255, 0, 0)
inline constexpr std::uint32_t kClockHourHand = kClockRim;

// Where the hands end: from (7, 7), `trunc(cos θ × length + 7)` and `trunc(sin θ × length + 7)`.
PixelPoint MinuteHandEnd(int minute, int second);
PixelPoint HourHandEnd(int hour, int minute);

// The pixels a line from `from` to `to` paints when drawn the way the clock was first drawn: a
// Bresenham walk from the start that stops before the end point.
std::vector<PixelPoint> LinePixels(PixelPoint from, PixelPoint to);

// The face with both hands at the given local time (hour 0-23).
ClockPicture DrawClockPicture(int hour, int minute, int second);

// Seconds from mm:ss until the picture or the shown minute next changes (1 to 60).
int SecondsUntilClockChanges(int minute, int second);

}  // namespace veltaro
