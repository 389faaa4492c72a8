#include "recorder/recorder_test_support.h"

#include <stdlib.h>

#include <cstring>
#include <ctime>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace veltaro::testing {

std::int64_t LocalSeconds(int year, int month, int day, int hour, int minute, int second) {
    std::tm time{};
    time.tm_year = year - 1900;
    time.tm_mon = month - 1;
    time.tm_mday = day;
    time.tm_hour = hour;
    time.tm_min = minute;
    time.tm_sec = second;
    time.tm_isdst = -1;
    return static_cast<std::int64_t>(std::mktime(&time));
}

RunRecord RunStartedAt(std::int64_t startSeconds, std::int64_t durationMs, std::uint32_t bootTag) {
    RunRecord run;
    run.startTime = StartTimeFromTm(LocalTime(startSeconds));
    run.bootTag = bootTag;
    run.durationMs = durationMs;
    return run;
}

std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::filesystem::path& file, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

std::vector<RunRecord> RecordsOf(const PastRuns& runs) {
    std::vector<RunRecord> records;
    for (std::size_t index = 0; index < runs.Count(); ++index) {
        records.push_back(runs[index]);
    }
    return records;
}

std::vector<std::uint8_t> BytesOf(const std::vector<RunRecord>& records) {
    std::vector<std::uint8_t> bytes;
    for (const RunRecord& record : records) {
        const RunRecordBytes one = SerializeRunRecord(record);
        bytes.insert(bytes.end(), one.begin(), one.end());
    }
    return bytes;
}

}  // namespace veltaro::testing

namespace veltaro {

void PrintTo(const RunRecord& record, std::ostream* out) {
    const StartTime& t = record.startTime;
    *out << "{start " << t.tm_year + 1900 << '-' << t.tm_mon + 1 << '-' << t.tm_mday << ' '
         << t.tm_hour << ':' << t.tm_min << ':' << t.tm_sec << " wday " << t.tm_wday << " yday "
         << t.tm_yday << " dst " << t.tm_isdst << ", tag " << record.bootTag << ", "
         << record.durationMs << " ms}";
}

}  // namespace veltaro
