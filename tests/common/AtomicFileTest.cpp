#include "common/AtomicFile.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include "app/SettingsFiles.h"
#include "support/FileFaults.h"
#include "support/TempFolder.h"

namespace quillary {
namespace {

namespace fs = std::filesystem;
using testing::readBytes;

class AtomicFileTest : public ::testing::Test {
 protected:
  std::size_t entries() const {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()));
  }
  testing::TempFolder temp_;
  const fs::path& folder_ = temp_.path();
  const fs::path file_ = folder_ / "psk.ini";
  const PskIniWrite old_{100, 0, "OLDCALL", 0, "", 0, 0, "", "", "3"};
  const PskIniWrite new_{2500, 0, "NEWCALL/WITH/A/LONGER/TEXT", 0, "", 0, 0, "", "", "3"};
};

TEST_F(AtomicFileTest, ReplacesTheWholeFileOrOnFailureKeepsTheOldOneAndLeavesNoTemporary) {
  ASSERT_TRUE(writeFileAtomically(file_, std::string("first, a longer text\r\n")));
  ASSERT_TRUE(writeFileAtomically(file_, std::string("new\r\n\0x", 6)));
  EXPECT_EQ(readBytes(file_), std::string("new\r\n\0x", 6));
  const fs::path blocked = folder_ / "name.ini";  // a folder cannot be replaced by a file
  fs::create_directory(blocked);
  EXPECT_FALSE(writeFileAtomically(blocked, "new"));
  EXPECT_TRUE(fs::is_directory(blocked));
  EXPECT_FALSE(writeFileAtomically(folder_ / "missing" / "psk.ini", "x"));
  EXPECT_EQ(entries(), 2u);
}

TEST_F(AtomicFileTest, ADiskThatFillsPartWayThroughLeavesTheOldFileWhole) {
  ASSERT_TRUE(writeFileAtomically(file_, "old\r\n"));
  const std::string longer(5000, 'n');
  for (const std::size_t room : {0u, 4096u}) {
    testing::FullDisk disk(room);
    EXPECT_FALSE(writeFileAtomically(file_, longer)) << room;
    EXPECT_GT(disk.refused(), 0);
    EXPECT_EQ(readBytes(file_), "old\r\n");
    EXPECT_EQ(entries(), 1u) << "the part written is removed";
  }
  EXPECT_TRUE(writeFileAtomically(file_, longer)) << "room again";
}

// SIGTERM ends a process at once, here half-way through writing the new bytes.
TEST_F(AtomicFileTest, SigtermHalfWayThroughAWriteLeavesTheOldFile) {
  ASSERT_TRUE(writePskIni(file_, old_));
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    FileWriteCalls calls;
    calls.write = [](int fd, const void* bytes, std::size_t size) {
      const ssize_t half = ::write(fd, bytes, size / 2);
      std::raise(SIGTERM);
      return half;
    };
    replaceFileWriteCalls(std::move(calls));
    writePskIni(file_, new_);
    _exit(0);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM);
  EXPECT_EQ(readBytes(file_), formatPskIni(old_));
}

}  // namespace
}  // namespace quillary
