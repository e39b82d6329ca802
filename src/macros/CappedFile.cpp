#include "macros/CappedFile.h"

#include <QtGlobal>

#include "common/FieldReader.h"

namespace quillary {

std::optional<CappedFile> readCapped(const std::filesystem::path& file, std::size_t limit) {
  std::optional<std::string> bytes = readFileBytes(file, limit + 1);
  if (!bytes) return std::nullopt;
  const bool cut = bytes->size() > limit;
  if (cut) {
    bytes->resize(limit);
    qWarning("Quillary: %s is larger than %zu bytes; only its first %zu bytes are read", file.string().c_str(),
             limit, limit);
  }
  return CappedFile{std::move(*bytes), cut};
}

}  // namespace quillary
