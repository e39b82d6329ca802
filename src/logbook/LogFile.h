#pragma once
// The log "quillary.adi": every contact, in memory and on the disk. A new
// contact is appended and on the disk before the save returns; an earlier
// record is never rewritten for it. Edits, deletions and imports write the
// whole file anew, atomically. A failed write leaves both the file and the
// records here as they were.
#include <cstddef>
#include <filesystem>
#include <vector>

#include "logbook/LogRecord.h"

namespace quillary {

class LogFile {
 public:
  explicit LogFile(std::filesystem::path file) : file_(std::move(file)) {}

  // Reads the file; a missing file is an empty log. False when it exists
  // and cannot be read (the records read before stay).
  bool load();

  bool append(const LogRecord& record);
  // `records` are made from records(); a file that changed on the disk
  // since (or could not be read) is read again instead, and false answered.
  bool replaceAll(std::vector<LogRecord> records);

  const std::vector<LogRecord>& records() const { return records_; }
  const std::filesystem::path& path() const { return file_; }

 private:
  // The file as this log last left it: a file grown or cut since (by a
  // crash during a save, or another program) is read again first.
  bool unchangedOnDisk() const;

  std::filesystem::path file_;
  std::vector<LogRecord> records_;
  std::size_t completeEnd_ = 0;  // bytes up to the end of the last whole record
  std::size_t sizeOnDisk_ = 0;
};

}  // namespace quillary
