#pragma once
// Files are written whole: to a temporary file in the same folder, flushed,
// then renamed over the old one. A crash or a full disk leaves the old file.
// A file reached through a symbolic link is written where the link points,
// so the link stays; the new file keeps the old one's permissions.
#include <sys/types.h>

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string_view>

namespace quillary {

// False when the file could not be written; the old file is then untouched.
bool writeFileAtomically(const std::filesystem::path& file, std::string_view bytes);

// Writes `bytes` at byte `at` of the file (created when missing) and makes
// them durable before it returns, for a file that only grows (a log): its
// first `at` bytes are never touched. Whatever stood beyond `at` (a tail
// an earlier crash left half-written) is cut off first; a write that fails
// part-way is cut off again, so on false the file holds its first `at`
// bytes as before. False, with nothing written, when the file is shorter
// than `at`.
bool writeTailDurably(const std::filesystem::path& file, std::size_t at, std::string_view bytes);

// The two system calls a write can fail in, replaceable so that tests can
// fill the disk part-way through a file or make a folder refuse new files
// (root, who runs the tests, is stopped by no permission bit). Each works
// as open(2) and write(2), setting errno.
struct FileWriteCalls {
  std::function<int(const char* path, int flags, mode_t mode)> open;
  std::function<ssize_t(int fd, const void* bytes, std::size_t size)> write;
};

// Every later write goes through `calls`; answers the calls used until now.
// The system's own calls are FileWriteCalls{} with both left empty.
FileWriteCalls replaceFileWriteCalls(FileWriteCalls calls);

}  // namespace quillary
