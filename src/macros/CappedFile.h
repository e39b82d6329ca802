#pragma once
// The small files a start reads whole (the macro files, "name.ini", the
// name log) are read only up to a cap: a huge file put there by accident
// must not slow every start or fill a tooltip. What lies beyond the cap is
// left alone on disk, and the console says the file was cut.
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

namespace quillary {

inline constexpr std::size_t kMacroFileReadLimit = 64 * 1024;  // half an hour of sending at 31 baud
inline constexpr std::size_t kNameIniReadLimit = 64 * 1024;    // one path

struct CappedFile {
  std::string bytes;  // at most the cap
  bool cut = false;   // the file holds more than the cap
};

// nullopt when the file cannot be opened or read.
std::optional<CappedFile> readCapped(const std::filesystem::path& file, std::size_t limit);

}  // namespace quillary
