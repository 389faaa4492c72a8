#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "recorder/run_record.h"

namespace veltaro {

// Raw record files: the run log (whole records, appended) and the one-record heartbeat files.

// The record of a heartbeat file; empty when the file is missing, unreadable or shorter than one
// record.
std::optional<RunRecord> ReadHeartbeatRecord(const std::filesystem::path& file);

// Makes `file` hold exactly `record`, created when missing, flushed to disk when `flush`; false
// when that failed or `file` is no regular file.
bool WriteHeartbeatRecord(const std::filesystem::path& file, const RunRecord& record,
                          bool flush = false);

struct RunLogRead {
    // The whole records of the log, oldest first; trailing partial bytes are not a record.
    std::vector<RunRecord> records;
    // Empty when the log was read or does not exist yet; else why it could not be read.
    std::string error;
};

RunLogRead ReadRunLog(const std::filesystem::path& log);

// Appends `record` at a whole-record boundary: partial bytes a crash left at the end are cut
// first, so they can never shift the records after them. A record equal to the log's last one is
// already stored and not appended again (two runs never share a start second and a run time).
// False when the record was not stored.
bool AppendRunRecord(const std::filesystem::path& log, const RunRecord& record);

}  // namespace veltaro
