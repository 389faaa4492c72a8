#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <ctime>
#include <span>
#include <vector>

#include "platform/huge_page_allocator.h"

namespace veltaro {

// The broken-down local start time of a run, field for field as localtime gives it. std::tm
// itself can't be stored: glibc adds fields to it that would change the record's size.
struct StartTime {
    std::int32_t tm_sec = 0;
    std::int32_t tm_min = 0;
    std::int32_t tm_hour = 0;
    std::int32_t tm_mday = 0;
    std::int32_t tm_mon = 0;
    std::int32_t tm_year = 0;
    std::int32_t tm_wday = 0;
    std::int32_t tm_yday = 0;
    std::int32_t tm_isdst = 0;

    bool operator==(const StartTime&) const = default;
};

// One run of the computer: the unit of the run log and of the heartbeat files.
struct RunRecord {
    StartTime startTime;
    // The tag of the boot the run belongs to (0: unknown, as in records of older versions).
    std::uint32_t bootTag = 0;
    alignas(8) std::int64_t durationMs = 0;

    bool operator==(const RunRecord&) const = default;
};

inline constexpr std::size_t kRunRecordSize = 48;

// The records of a run log, which may be large: read in one go into huge pages.
using RunRecords = std::vector<RunRecord, HugePageAllocator<RunRecord>>;
using RunRecordBytes = std::array<std::uint8_t, kRunRecordSize>;

static_assert(sizeof(StartTime) == 36);
static_assert(sizeof(RunRecord) == kRunRecordSize);
static_assert(offsetof(RunRecord, startTime) == 0);
static_assert(offsetof(RunRecord, bootTag) == 36);
static_assert(offsetof(RunRecord, durationMs) == 40);

StartTime StartTimeFromTm(const std::tm& time);
std::tm TmFromStartTime(const StartTime& time);

// Whether a record can describe a real run: every start-time field in its range, a start between
// 1970 and 2100 and a run time from 0 to 100 years. Random bytes or a damaged file fail this.
bool IsPlausibleRunRecord(const RunRecord& record);

// Whether two records are states of the same run: its identity is its start time and boot tag,
// while the run time grows from one heartbeat to the next.
bool IsSameRun(const RunRecord& a, const RunRecord& b);

// The on-disk form: little-endian whatever the host's byte order.
RunRecordBytes SerializeRunRecord(const RunRecord& record);
RunRecord DeserializeRunRecord(std::span<const std::uint8_t, kRunRecordSize> bytes);

// The heartbeat thread writes the live run's duration while the UI thread reads it: both go
// through these so that no reader ever sees half of an update.
void StoreDurationMs(RunRecord& live, std::int64_t durationMs);
std::int64_t LoadDurationMs(RunRecord& live);
// A copy of a live run that is safe to take while the heartbeat runs.
RunRecord SnapshotOf(RunRecord& live);

}  // namespace veltaro
