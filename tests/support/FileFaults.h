#pragma once
// Disk faults under every file the program writes, through the atomic-write
// seam (root ignores permission bits, so chmod cannot make them); each is
// undone when its object goes.
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <map>
#include <memory>

#include "common/AtomicFile.h"

namespace quillary::testing {

class FileFault {
 public:
  FileFault(const FileFault&) = delete;
  FileFault& operator=(const FileFault&) = delete;
  int refused() const { return refused_; }

 protected:
  FileFault() = default;
  ~FileFault() { replaceFileWriteCalls(std::move(before_)); }
  void install(FileWriteCalls calls) { before_ = replaceFileWriteCalls(std::move(calls)); }
  int refuse(int error) {
    ++refused_;
    errno = error;
    return -1;
  }

 private:
  FileWriteCalls before_;
  int refused_ = 0;
};

// Each new file takes its first `room` bytes, then the disk is full (ENOSPC).
class FullDisk : public FileFault {
 public:
  explicit FullDisk(std::size_t room = 0) {
    auto written = std::make_shared<std::map<int, std::size_t>>();  // per open file
    FileWriteCalls calls;
    calls.open = [written](const char* path, int flags, mode_t mode) {
      const int fd = ::open(path, flags, mode);
      if (fd >= 0) (*written)[fd] = 0;
      return fd;
    };
    calls.write = [this, written, room](int fd, const void* bytes, std::size_t size) -> ssize_t {
      std::size_t& sofar = (*written)[fd];
      const std::size_t fits = std::min(size, room - std::min(room, sofar));
      if (fits == 0) return refuse(ENOSPC);
      const ssize_t done = ::write(fd, bytes, fits);
      if (done > 0) sofar += static_cast<std::size_t>(done);
      return done;
    };
    install(std::move(calls));
  }
};

// `folder` is read-only: no file can be created in it (EROFS).
class ReadOnlyFolder : public FileFault {
 public:
  explicit ReadOnlyFolder(const std::filesystem::path& folder) {
    FileWriteCalls calls;
    calls.open = [this, readOnly = std::filesystem::weakly_canonical(folder)](const char* path, int flags,
                                                                              mode_t mode) {
      const bool inside = std::filesystem::weakly_canonical(path).parent_path() == readOnly;
      return (flags & O_CREAT) != 0 && inside ? refuse(EROFS) : ::open(path, flags, mode);
    };
    install(std::move(calls));
  }
};

}  // namespace quillary::testing
