#include "tray/clock_picture.h"

#include <cmath>
#include <cstdlib>
#include <numbers>

namespace veltaro {
namespace {

constexpr PixelPoint kCentre{7, 7};
constexpr int kMinuteHandLength = 6;
constexpr int kHourHandLength = 5;

// Row r, column c paints pixel x = r, y = c. The pattern is symmetric about its diagonal.
constexpr const char* kFacePattern[ClockPicture::kSize] = {
    "0000111111100000", "0001112221110000", "0011222122211000", "0112222322221100",
    "1122222222222110", "1122222222222110", "1222222222222210", "1213222222231210",
    "1222222222222210", "1122222222222110", "1122222222222110", "0112222322221100",
    "0011222122211000", "0001112221110000", "0000111111100000", "0000000000000000",
};

std::uint32_t FaceColour(char code) {
    switch (code) {
        case '1':
            return kClockRim;
        case '2':
            return kClockFace;
        case '3':
            return kClockDot;
        default:
            return 0;
    }
}

PixelPoint HandEnd(double degrees, int length) {
    const double radians = degrees / 180.0 * std::numbers::pi;
    return {static_cast<int>(std::trunc(std::cos(radians) * length + kCentre.x)),
            static_cast<int>(std::trunc(std::sin(radians) * length + kCentre.y))};
}

void DrawHand(ClockPicture& picture, PixelPoint end, std::uint32_t colour) {
    for (const PixelPoint point : LinePixels(kCentre, end)) {
        picture.Set(point.x, point.y, colour);
    }
}

}  // namespace

PixelPoint MinuteHandEnd(int minute, int second) {
    return HandEnd((minute + second / 60.0) * 6 - 90, kMinuteHandLength);
}

PixelPoint HourHandEnd(int hour, int minute) {
    return HandEnd((hour % 12 + minute / 60.0) * 30 - 90, kHourHandLength);
}

std::vector<PixelPoint> LinePixels(PixelPoint from, PixelPoint to) {
    const int dx = std::abs(to.x - from.x);
    const int dy = std::abs(to.y - from.y);
    const int stepX = to.x < from.x ? -1 : 1;
    const int stepY = to.y < from.y ? -1 : 1;
    const bool xMajor = dx >= dy;
    const int major = xMajor ? dx : dy;
    const int minor = xMajor ? dy : dx;
    std::vector<PixelPoint> pixels;
    PixelPoint at = from;
    int error = major / 2;
    for (int step = 0; step < major; ++step) {
        pixels.push_back(at);
        (xMajor ? at.x : at.y) += xMajor ? stepX : stepY;
        error -= minor;
        if (error < 0) {
            error += major;
            (xMajor ? at.y : at.x) += xMajor ? stepY : stepX;
        }
    }
    return pixels;
}

ClockPicture DrawClockPicture(int hour, int minute, int second) {
    ClockPicture picture;
    for (int row = 0; row < ClockPicture::kSize; ++row) {
        for (int column = 0; column < ClockPicture::kSize; ++column) {
            picture.Set(row, column, FaceColour(kFacePattern[row][column]));
        }
    }
    DrawHand(picture, MinuteHandEnd(minute, second), kClockMinuteHand);
    DrawHand(picture, HourHandEnd(hour, minute), kClockHourHand);
    return picture;
}

int SecondsUntilClockChanges(int minute, int second) {
    const PixelPoint shown = MinuteHandEnd(minute, second);
    for (int later = second + 1; later < 60; ++later) {
        if (MinuteHandEnd(minute, later) != shown) {
            return later - second;
        }
    }
    // The hour hand and the tooltip move with the minute only.
    return 60 - second;
}

}  // namespace veltaro
