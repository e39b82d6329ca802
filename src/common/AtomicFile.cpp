#include "common/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <optional>
#include <string>
#include <utility>

namespace quillary {
namespace {

FileWriteCalls& installedCalls() {
  static FileWriteCalls calls;
  return calls;
}

int openFile(const char* path, int flags, mode_t mode) {
  const FileWriteCalls& calls = installedCalls();
  return calls.open ? calls.open(path, flags, mode) : ::open(path, flags, mode);
}

ssize_t writeSome(int fd, const void* bytes, std::size_t size) {
  const FileWriteCalls& calls = installedCalls();
  return calls.write ? calls.write(fd, bytes, size) : ::write(fd, bytes, size);
}

// A name no other writer uses: hidden, beside the target, with the process
// id and a counter so two writers in one folder never meet.
std::filesystem::path temporaryName(const std::filesystem::path& file) {
  static std::atomic<unsigned> counter{0};
  std::filesystem::path folder = file.parent_path();
  if (folder.empty()) folder = ".";
  std::string name = "." + file.filename().string() + "." + std::to_string(getpid()) + "." +
                     std::to_string(counter.fetch_add(1)) + ".tmp";
  return folder / name;
}

bool writeAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t written = writeSome(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

int createTemporary(const std::filesystem::path& file, std::filesystem::path& temporary) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporary = temporaryName(file);
    // 0666 and the umask give the file the same rights as any new file.
    int fd = openFile(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

// Where the bytes of `file` really live: a symbolic link is followed to its
// target (which may not exist yet), so that writing through a link keeps the
// link; nullopt for a loop of links.
std::optional<std::filesystem::path> landingPlace(const std::filesystem::path& file) {
  std::filesystem::path at = file;
  for (int hop = 0; hop < 40; ++hop) {
    std::error_code error;
    if (!std::filesystem::is_symlink(at, error)) return at;
    const std::filesystem::path target = std::filesystem::read_symlink(at, error);
    if (error) return std::nullopt;
    at = target.is_absolute() ? target : at.parent_path() / target;
  }
  return std::nullopt;
}

// The new file gets the old one's permissions, before any byte is written,
// so a log kept private or shared with a group stays so.
bool keepMode(int fd, const std::filesystem::path& old) {
  struct stat before {}, made {};
  if (::stat(old.c_str(), &before) != 0) return true;  // a new file: the umask decides
  if (::fstat(fd, &made) != 0) return false;
  const mode_t wanted = before.st_mode & 07777;
  return (made.st_mode & 07777) == wanted || ::fchmod(fd, wanted) == 0;
}

// A new file's name is durable only once its folder is.
void syncFolderOf(const std::filesystem::path& file) {
  std::filesystem::path folder = file.parent_path();
  if (folder.empty()) folder = ".";
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

bool writeAt(int fd, std::size_t at, std::string_view bytes) {
  struct stat status {};
  if (::fstat(fd, &status) != 0 || static_cast<std::size_t>(status.st_size) < at) return false;
  const auto offset = static_cast<off_t>(at);
  bool ok = static_cast<std::size_t>(status.st_size) == at || ::ftruncate(fd, offset) == 0;
  ok = ok && ::lseek(fd, offset, SEEK_SET) == offset && writeAll(fd, bytes) && ::fsync(fd) == 0;
  if (!ok) {
    const int error = errno;
    if (::ftruncate(fd, offset) == 0) ::fsync(fd);
    errno = error;
  }
  return ok;
}

}  // namespace

FileWriteCalls replaceFileWriteCalls(FileWriteCalls calls) {
  std::swap(calls, installedCalls());
  return calls;
}

bool writeFileAtomically(const std::filesystem::path& link, std::string_view bytes) {
  const std::optional<std::filesystem::path> target = landingPlace(link);
  if (!target || target->filename().empty()) return false;
  const std::filesystem::path& file = *target;
  std::filesystem::path temporary;
  int fd = createTemporary(file, temporary);
  if (fd < 0) return false;

  bool ok = keepMode(fd, file) && writeAll(fd, bytes) && ::fsync(fd) == 0;
  ok = (::close(fd) == 0) && ok;
  // rename replaces the old file in one step; the folder itself is not
  // synced, since after a crash either the old or the new file is there.
  if (ok) ok = std::rename(temporary.c_str(), file.c_str()) == 0;
  if (!ok) ::unlink(temporary.c_str());
  return ok;
}

bool writeTailDurably(const std::filesystem::path& file, std::size_t at, std::string_view bytes) {
  const int fd = openFile(file.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  bool ok = writeAt(fd, at, bytes);
  ok = (::close(fd) == 0) && ok;
  if (ok && at == 0) syncFolderOf(file);
  return ok;
}

}  // namespace quillary
