#pragma once
// Files are written whole: to a temporary file in the same folder, flushed,
// then renamed over the old one. A crash or a full disk leaves the old file.
#include <filesystem>
#include <string_view>

namespace quillary {

// False when the file could not be written; the old file is then untouched.
bool writeFileAtomically(const std::filesystem::path& file, std::string_view bytes);

}  // namespace quillary
