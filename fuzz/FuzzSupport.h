#pragma once
// Shared by the fuzz targets: a broken promise aborts with what broke
// (libFuzzer keeps the input), and the readers that take a file name get a
// scratch folder per process.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace quillary::fuzz {

// A broken promise: the condition and where it stands go to stderr, then
// abort (libFuzzer keeps the input).
#define FUZZ_CHECK(condition) ::quillary::fuzz::checkAt((condition), #condition, __FILE__, __LINE__)

inline void checkAt(bool holds, const char* condition, const char* file, int line) {
  if (holds) return;
  std::fprintf(stderr, "%s:%d: %s does not hold\n", file, line, condition);
  std::abort();
}

inline std::string bytesOf(const uint8_t* data, size_t size) {
  return std::string(reinterpret_cast<const char*>(data), size);
}

// In memory where the system offers it: rewriting a file in place on ext4
// waits for the disk at every close, and the fuzzer rewrites thousands.
inline const std::filesystem::path& scratchFolder() {
  static const std::filesystem::path folder = [] {
    const std::filesystem::path base =
        std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : std::filesystem::temp_directory_path();
    const auto made = base / ("quillary_fuzz_" + std::to_string(getpid()));
    std::filesystem::create_directories(made);
    std::atexit([] {
      std::error_code ignored;
      std::filesystem::remove_all(scratchFolder(), ignored);
    });
    return made;
  }();
  return folder;
}

// Writes `bytes` to the scratch file `name` and answers its path.
inline std::filesystem::path scratchFile(const std::string& name, const std::string& bytes) {
  const std::filesystem::path path = scratchFolder() / name;
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
  return path;
}

}  // namespace quillary::fuzz
