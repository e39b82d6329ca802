#include "logbook/LogFile.h"

#include <QtGlobal>
#include <system_error>

#include "common/AtomicFile.h"
#include "common/FieldReader.h"
#include "logbook/Adif.h"

namespace quillary {

bool LogFile::load() {
  std::error_code error;
  if (!std::filesystem::exists(file_, error)) {
    records_.clear();
    completeEnd_ = sizeOnDisk_ = 0;
    return !error;
  }
  const auto bytes = readFileBytes(file_);
  if (!bytes) return false;
  AdifRead read = readAdif(*bytes);
  if (read.completeEnd < bytes->size())
    qWarning("Quillary: %s ends in a record cut short (%zu bytes); it is left out",
             file_.string().c_str(), bytes->size() - read.completeEnd);
  records_ = std::move(read.records);
  completeEnd_ = read.completeEnd;
  sizeOnDisk_ = bytes->size();
  return true;
}

bool LogFile::unchangedOnDisk() const {
  std::error_code error;
  const auto size = std::filesystem::file_size(file_, error);
  return error ? sizeOnDisk_ == 0 : size == sizeOnDisk_;
}

bool LogFile::append(const LogRecord& record) {
  if (!unchangedOnDisk() && !load()) return false;
  std::string bytes = adifRecord(record);
  if (completeEnd_ == 0) bytes = adifHeader() + bytes;
  if (!writeTailDurably(file_, completeEnd_, bytes)) return false;
  records_.push_back(record);
  completeEnd_ += bytes.size();
  sizeOnDisk_ = completeEnd_;
  return true;
}

bool LogFile::replaceAll(std::vector<LogRecord> records) {
  // The new records were made from these; a log that could not be read, or
  // that changed on the disk, is not written over.
  if (!unchangedOnDisk()) {
    load();
    return false;
  }
  const std::string bytes = adifFile(records);
  if (!writeFileAtomically(file_, bytes)) return false;
  records_ = std::move(records);
  completeEnd_ = sizeOnDisk_ = bytes.size();
  return true;
}

}  // namespace quillary
