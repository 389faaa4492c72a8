#pragma once

#include <cstdint>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "fake_clock.h"
#include "platform/clock.h"
#include "recorder/past_runs.h"
#include "recorder/run_record.h"
#include "temp_folder.h"

namespace veltaro::testing {

// Seconds since 1970 of a local time (the tests pin TZ).
std::int64_t LocalSeconds(int year, int month, int day, int hour, int minute, int second);

// A run that started at a local time and lasted `durationMs`.
RunRecord RunStartedAt(std::int64_t startSeconds, std::int64_t durationMs,
                       std::uint32_t bootTag = 0);

std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& file);
void WriteBytes(const std::filesystem::path& file, const std::vector<std::uint8_t>& bytes);
// The records of past runs, for comparisons.
std::vector<RunRecord> RecordsOf(const PastRuns& runs);
// The serialised form of `records`, one after another.
std::vector<std::uint8_t> BytesOf(const std::vector<RunRecord>& records);

}  // namespace veltaro::testing

namespace veltaro {
// Readable records in test failures.
void PrintTo(const RunRecord& record, std::ostream* out);
}  // namespace veltaro
