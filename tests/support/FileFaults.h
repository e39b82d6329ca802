#pragma once
// Faults of the disk under every file the program writes, made through the
// atomic-write seam (root, who runs the tests, ignores permission bits, so
// chmod cannot make them). Each is undone when its object goes.
#include <filesystem>
#include <map>

#include "common/AtomicFile.h"

namespace quillary::testing {

// Each new file takes its first `room` bytes, then the disk is full (ENOSPC).
class FullDisk {
 public:
  explicit FullDisk(std::size_t room = 0);
  ~FullDisk();
  FullDisk(const FullDisk&) = delete;
  FullDisk& operator=(const FullDisk&) = delete;
  // Writes refused so far.
  int refused() const { return refused_; }

 private:
  FileWriteCalls before_;
  std::map<int, std::size_t> written_;  // per open file
  int refused_ = 0;
};

// `folder` is read-only: no file can be created in it (EROFS).
class ReadOnlyFolder {
 public:
  explicit ReadOnlyFolder(const std::filesystem::path& folder);
  ~ReadOnlyFolder();
  ReadOnlyFolder(const ReadOnlyFolder&) = delete;
  ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;
  int refused() const { return refused_; }

 private:
  FileWriteCalls before_;
  int refused_ = 0;
};

}  // namespace quillary::testing
