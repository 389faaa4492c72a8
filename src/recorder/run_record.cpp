#include "recorder/run_record.h"

#include <atomic>

namespace veltaro {
namespace {

static_assert(alignof(RunRecord) >= std::atomic_ref<std::int64_t>::required_alignment);

template <class Unsigned>
void PutLittleEndian(RunRecordBytes& bytes, std::size_t offset, Unsigned value) {
    for (std::size_t i = 0; i < sizeof(Unsigned); ++i) {
        bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

template <class Unsigned>
Unsigned GetLittleEndian(std::span<const std::uint8_t, kRunRecordSize> bytes, std::size_t offset) {
    Unsigned value = 0;
    for (std::size_t i = 0; i < sizeof(Unsigned); ++i) {
        value |= static_cast<Unsigned>(static_cast<Unsigned>(bytes[offset + i]) << (8 * i));
    }
    return value;
}

// The nine start-time fields in their on-disk order.
constexpr std::int32_t StartTime::*kStartTimeFields[] = {
    &StartTime::tm_sec,  &StartTime::tm_min,  &StartTime::tm_hour,
    &StartTime::tm_mday, &StartTime::tm_mon,  &StartTime::tm_year,
    &StartTime::tm_wday, &StartTime::tm_yday, &StartTime::tm_isdst,
};

bool InRange(std::int32_t value, std::int32_t low, std::int32_t high) {
    return value >= low && value <= high;
}

constexpr std::int64_t kHundredYearsMs = 100LL * 36525 * 24 * 3600 * 10;

}  // namespace

bool IsPlausibleRunRecord(const RunRecord& record) {
    const StartTime& start = record.startTime;
    // tm_sec may be 60 in a leap second; tm_isdst is negative when unknown.
    return InRange(start.tm_sec, 0, 60) && InRange(start.tm_min, 0, 59) &&
           InRange(start.tm_hour, 0, 23) && InRange(start.tm_mday, 1, 31) &&
           InRange(start.tm_mon, 0, 11) && InRange(start.tm_year, 70, 200) &&
           InRange(start.tm_wday, 0, 6) && InRange(start.tm_yday, 0, 365) &&
           InRange(start.tm_isdst, -1, 1) && record.durationMs >= 0 &&
           record.durationMs < kHundredYearsMs;
}

bool IsSameRun(const RunRecord& a, const RunRecord& b) {
    return a.startTime == b.startTime && a.bootTag == b.bootTag;
}

StartTime StartTimeFromTm(const std::tm& time) {
    return {time.tm_sec,  time.tm_min,  time.tm_hour, time.tm_mday, time.tm_mon,
            time.tm_year, time.tm_wday, time.tm_yday, time.tm_isdst};
}

std::tm TmFromStartTime(const StartTime& time) {
    std::tm result{};
    result.tm_sec = time.tm_sec;
    result.tm_min = time.tm_min;
    result.tm_hour = time.tm_hour;
    result.tm_mday = time.tm_mday;
    result.tm_mon = time.tm_mon;
    result.tm_year = time.tm_year;
    result.tm_wday = time.tm_wday;
    result.tm_yday = time.tm_yday;
    result.tm_isdst = time.tm_isdst;
    return result;
}

RunRecordBytes SerializeRunRecord(const RunRecord& record) {
    RunRecordBytes bytes{};
    std::size_t offset = 0;
    for (const auto field : kStartTimeFields) {
        PutLittleEndian(bytes, offset, static_cast<std::uint32_t>(record.startTime.*field));
        offset += 4;
    }
    PutLittleEndian(bytes, offsetof(RunRecord, bootTag), record.bootTag);
    PutLittleEndian(bytes, offsetof(RunRecord, durationMs),
                    static_cast<std::uint64_t>(record.durationMs));
    return bytes;
}

RunRecord DeserializeRunRecord(std::span<const std::uint8_t, kRunRecordSize> bytes) {
    RunRecord record;
    std::size_t offset = 0;
    for (const auto field : kStartTimeFields) {
        record.startTime.*field =
            static_cast<std::int32_t>(GetLittleEndian<std::uint32_t>(bytes, offset));
        offset += 4;
    }
    record.bootTag = GetLittleEndian<std::uint32_t>(bytes, offsetof(RunRecord, bootTag));
    record.durationMs = static_cast<std::int64_t>(
        GetLittleEndian<std::uint64_t>(bytes, offsetof(RunRecord, durationMs)));
    return record;
}

void StoreDurationMs(RunRecord& live, std::int64_t durationMs) {
    std::atomic_ref<std::int64_t>(live.durationMs).store(durationMs);
}

std::int64_t LoadDurationMs(RunRecord& live) {
    return std::atomic_ref<std::int64_t>(live.durationMs).load();
}

RunRecord SnapshotOf(RunRecord& live) {
    // startTime and bootTag are fixed before the heartbeat starts; only the duration moves.
    RunRecord copy;
    copy.startTime = live.startTime;
    copy.bootTag = live.bootTag;
    copy.durationMs = LoadDurationMs(live);
    return copy;
}

}  // namespace veltaro
