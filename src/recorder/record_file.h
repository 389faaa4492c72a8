#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "recorder/run_record.h"

namespace veltaro {

// Raw record files: the run log (whole records, appended), the one-record heartbeat files and the
// file of runs waiting for the log. None of them is ever opened through a symbolic link (one
// planted there is left alone and reported), a FIFO in their place never blocks, and new files are
// private to the user (0600) whatever the umask.

// The record of a heartbeat file; empty when the file is missing, unreadable, shorter than one
// record, or holds a record no real run can have.
std::optional<RunRecord> ReadHeartbeatRecord(const std::filesystem::path& file);

// Makes `file` hold exactly `record`, created when missing, flushed to disk when `flush`; false
// when that failed or `file` is no regular file.
bool WriteHeartbeatRecord(const std::filesystem::path& file, const RunRecord& record,
                          bool flush = false);

struct RunLogRead {
    // The whole records of the log, oldest first, as stored: damaged ones keep their place.
    RunRecords records;
    // Bytes after the last whole record, left by a crash during an append.
    std::size_t partialBytes = 0;
    // Empty when the log was read or does not exist yet; else why it could not be read.
    std::string error;
};

// The whole log in one read.
RunLogRead ReadRunLog(const std::filesystem::path& log);
// Only its last `count` whole records: enough to tell whether a run is already stored.
RunLogRead ReadRunLogTail(const std::filesystem::path& log, std::size_t count);

struct AppendResult {
    bool stored = false;
    std::string error;  // why not, when not
};

// Appends `runs` at a whole-record boundary and flushes them. Partial bytes a crash left at the
// end are first copied to `log`.partial-<time> and then cut, so they can never shift the records
// after them. Nothing of a failed append stays behind.
AppendResult AppendRunRecords(const std::filesystem::path& log, std::span<const RunRecord> runs,
                              std::int64_t nowSeconds);

// The runs that could not be appended yet, oldest first; whole, plausible records only.
std::vector<RunRecord> ReadPendingRuns(const std::filesystem::path& file);
// Replaces the file with `runs`, atomically and flushed; removes it when `runs` is empty.
bool WritePendingRuns(const std::filesystem::path& file, std::span<const RunRecord> runs);

}  // namespace veltaro
