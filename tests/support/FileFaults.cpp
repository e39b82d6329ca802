#include "support/FileFaults.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace quillary::testing {

FullDisk::FullDisk(std::size_t room) {
  FileWriteCalls calls;
  calls.open = [this](const char* path, int flags, mode_t mode) {
    const int fd = ::open(path, flags, mode);
    if (fd >= 0) written_[fd] = 0;
    return fd;
  };
  calls.write = [this, room](int fd, const void* bytes, std::size_t size) -> ssize_t {
    std::size_t& written = written_[fd];
    const std::size_t fits = std::min(size, room - std::min(room, written));
    if (fits == 0) {
      ++refused_;
      errno = ENOSPC;
      return -1;
    }
    const ssize_t done = ::write(fd, bytes, fits);
    if (done > 0) written += static_cast<std::size_t>(done);
    return done;
  };
  before_ = replaceFileWriteCalls(std::move(calls));
}

FullDisk::~FullDisk() { replaceFileWriteCalls(std::move(before_)); }

ReadOnlyFolder::ReadOnlyFolder(const std::filesystem::path& folder) {
  const std::filesystem::path readOnly = std::filesystem::weakly_canonical(folder);
  FileWriteCalls calls;
  calls.open = [this, readOnly](const char* path, int flags, mode_t mode) {
    const std::filesystem::path where = std::filesystem::weakly_canonical(path).parent_path();
    if ((flags & O_CREAT) != 0 && where == readOnly) {
      ++refused_;
      errno = EROFS;
      return -1;
    }
    return ::open(path, flags, mode);
  };
  before_ = replaceFileWriteCalls(std::move(calls));
}

ReadOnlyFolder::~ReadOnlyFolder() { replaceFileWriteCalls(std::move(before_)); }

}  // namespace quillary::testing
