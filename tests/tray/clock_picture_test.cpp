#include "tray/clock_picture.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace veltaro {
namespace {

// The face as drawn on paper: row r, column c is pixel x = r, y = c.
constexpr const char* kFace[16] = {
    "0000111111100000", "0001112221110000", "0011222122211000", "0112222322221100",
    "1122222222222110", "1122222222222110", "1222222222222210", "1213222222231210",
    "1222222222222210", "1122222222222110", "1122222222222110", "0112222322221100",
    "0011222122211000", "0001112221110000", "0000111111100000", "0000000000000000",
};

std::uint32_t FaceAt(int x, int y) {
    switch (kFace[x][y]) {
        case '1':
            return 0xff000001;
        case '2':
            return 0xffffffff;
        case '3':
            return 0xff0000ff;
        default:
            return 0;
    }
}

TEST(ClockPicture, ThreeOClockIsTheFaceWithTwoStraightHands) {
    ClockPicture expected;
    for (int x = 0; x < 16; ++x) {
        for (int y = 0; y < 16; ++y) {
            expected.Set(x, y, FaceAt(x, y));
        }
    }
    // Minute hand up to (7, 1), hour hand right to (12, 7); neither paints its end point, and
    // the hour hand is drawn last over the shared centre.
    for (int y = 2; y <= 6; ++y) {
        expected.Set(7, y, kClockMinuteHand);
    }
    for (int x = 7; x <= 11; ++x) {
        expected.Set(x, 7, kClockHourHand);
    }
    EXPECT_EQ(MinuteHandEnd(0, 0), (PixelPoint{7, 1}));
    EXPECT_EQ(HourHandEnd(3, 0), (PixelPoint{12, 7}));
    const ClockPicture drawn = DrawClockPicture(3, 0, 0);
    for (int x = 0; x < 16; ++x) {
        for (int y = 0; y < 16; ++y) {
            EXPECT_EQ(drawn.At(x, y), expected.At(x, y)) << "pixel " << x << ", " << y;
        }
    }
    // The afternoon reads the same: the hour hand knows no 24 hours.
    EXPECT_EQ(DrawClockPicture(15, 0, 0), drawn);
}

TEST(ClockPicture, QuarterToTenHandsEndWhereTheSecondsPutThem) {
    EXPECT_EQ(MinuteHandEnd(45, 30), (PixelPoint{1, 6}));
    EXPECT_EQ(HourHandEnd(9, 45), (PixelPoint{2, 5}));
    const ClockPicture drawn = DrawClockPicture(9, 45, 30);
    EXPECT_EQ(drawn.At(1, 6), FaceAt(1, 6)) << "the minute hand's end point stays unpainted";
    EXPECT_EQ(drawn.At(2, 5), FaceAt(2, 5)) << "the hour hand's end point stays unpainted";
    EXPECT_EQ(drawn.At(2, 6), kClockMinuteHand);
    EXPECT_EQ(drawn.At(3, 5), kClockHourHand);
    EXPECT_EQ(drawn.At(7, 7), kClockHourHand);
}

TEST(ClockPicture, OnlyTheBlankPatternIsTransparent) {
    for (int minute = 0; minute < 60; minute += 7) {
        const ClockPicture drawn = DrawClockPicture(minute % 24, minute, minute);
        for (int x = 0; x < 16; ++x) {
            for (int y = 0; y < 16; ++y) {
                EXPECT_EQ(drawn.At(x, y) == 0, kFace[x][y] == '0') << x << ", " << y;
            }
        }
    }
}

TEST(LinePixels, StepsFromTheStartAndStopsBeforeTheEnd) {
    const PixelPoint centre{7, 7};
    EXPECT_TRUE(LinePixels(centre, centre).empty());
    EXPECT_EQ(LinePixels(centre, {10, 10}), (std::vector<PixelPoint>{{7, 7}, {8, 8}, {9, 9}}));
    EXPECT_EQ(LinePixels(centre, {1, 6}),
              (std::vector<PixelPoint>{{7, 7}, {6, 7}, {5, 7}, {4, 7}, {3, 6}, {2, 6}}));
    // Every hand position: one pixel per step of the longer axis, each touching the last.
    for (int minute = 0; minute < 60; ++minute) {
        const PixelPoint end = MinuteHandEnd(minute, 0);
        const std::vector<PixelPoint> pixels = LinePixels(centre, end);
        ASSERT_EQ(pixels.size(),
                  static_cast<std::size_t>(std::max(std::abs(end.x - 7), std::abs(end.y - 7))));
        for (std::size_t i = 1; i < pixels.size(); ++i) {
            EXPECT_LE(std::abs(pixels[i].x - pixels[i - 1].x), 1);
            EXPECT_LE(std::abs(pixels[i].y - pixels[i - 1].y), 1);
        }
        if (!pixels.empty()) {
            EXPECT_LE(std::abs(pixels.back().x - end.x), 1);
            EXPECT_LE(std::abs(pixels.back().y - end.y), 1);
        }
    }
}

TEST(ClockPicture, NextChangeIsTheFirstSecondThePictureOrMinuteDiffers) {
    for (int minute = 0; minute < 60; ++minute) {
        for (int second = 0; second < 60; ++second) {
            const int wait = SecondsUntilClockChanges(minute, second);
            ASSERT_GE(wait, 1);
            ASSERT_LE(second + wait, 60);
            for (int later = second + 1; later < second + wait; ++later) {
                ASSERT_EQ(MinuteHandEnd(minute, later), MinuteHandEnd(minute, second));
            }
            if (second + wait < 60) {
                EXPECT_NE(MinuteHandEnd(minute, second + wait), MinuteHandEnd(minute, second));
            }
        }
    }
}

}  // namespace
}  // namespace veltaro
