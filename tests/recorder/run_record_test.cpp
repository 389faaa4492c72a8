#include "recorder/run_record.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace veltaro {
namespace {

RunRecord DistinctRecord() {
    RunRecord record;
    record.startTime = {1, 2, 3, 4, 5, 6, 7, 8, -1};
    record.bootTag = 0xA1B2C3D4u;
    record.durationMs = 0x0102030405060708;
    return record;
}

TEST(RunRecordTest, SerialisesEveryFieldLittleEndianAtItsOffset) {
    const RunRecordBytes bytes = SerializeRunRecord(DistinctRecord());
    for (std::size_t field = 0; field < 8; ++field) {
        const std::size_t offset = field * 4;
        EXPECT_EQ(bytes[offset], field + 1) << "field at " << offset;
        EXPECT_EQ(bytes[offset + 1], 0);
        EXPECT_EQ(bytes[offset + 2], 0);
        EXPECT_EQ(bytes[offset + 3], 0);
    }
    // tm_isdst = -1 in two's complement.
    EXPECT_EQ((std::vector<std::uint8_t>(bytes.begin() + 32, bytes.begin() + 36)),
              (std::vector<std::uint8_t>{0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ((std::vector<std::uint8_t>(bytes.begin() + 36, bytes.begin() + 40)),
              (std::vector<std::uint8_t>{0xD4, 0xC3, 0xB2, 0xA1}));
    EXPECT_EQ((std::vector<std::uint8_t>(bytes.begin() + 40, bytes.end())),
              (std::vector<std::uint8_t>{8, 7, 6, 5, 4, 3, 2, 1}));
}

TEST(RunRecordTest, RoundTripsExtremeValues) {
    RunRecord record = DistinctRecord();
    record.startTime.tm_year = std::numeric_limits<std::int32_t>::min();
    record.startTime.tm_sec = std::numeric_limits<std::int32_t>::max();
    record.durationMs = std::numeric_limits<std::int64_t>::min();
    EXPECT_EQ(DeserializeRunRecord(SerializeRunRecord(record)), record);
}

}  // namespace
}  // namespace veltaro
