#include "common/AtomicFile.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <functional>
#include <random>
#include <thread>

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
  // Runs `writer` in a child process ended by SIGTERM after `delay` (zero:
  // the writer raises it itself); SIGTERM ends a process at once.
  static void terminated(const std::function<void()>& writer, std::chrono::microseconds delay) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      writer();
      _exit(0);
    }
    if (delay.count() > 0) {
      std::this_thread::sleep_for(delay);
      kill(child, SIGTERM);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM);
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

TEST_F(AtomicFileTest, SigtermHalfWayThroughAWriteLeavesTheOldFile) {
  ASSERT_TRUE(writePskIni(file_, old_));
  terminated(
      [this] {
        FileWriteCalls calls;
        calls.write = [](int fd, const void* bytes, std::size_t size) {
          const ssize_t half = ::write(fd, bytes, size / 2);
          std::raise(SIGTERM);
          return half;
        };
        replaceFileWriteCalls(std::move(calls));
        writePskIni(file_, new_);
      },
      std::chrono::microseconds(0));
  EXPECT_EQ(readBytes(file_), formatPskIni(old_));
}

TEST_F(AtomicFileTest, SigtermAtAnyMomentLeavesTheOldOrTheNewFileWhole) {
  ASSERT_TRUE(writePskIni(file_, old_));
  const std::string oldBytes = formatPskIni(old_), newBytes = formatPskIni(new_);
  std::mt19937 random(11);
  for (int round = 0; round < 20; ++round) {
    terminated(
        [this] {
          for (;;) {
            writePskIni(file_, new_);
            writePskIni(file_, old_);
          }
        },
        std::chrono::microseconds(std::uniform_int_distribution<int>(200, 20000)(random)));
    const std::string bytes = readBytes(file_);
    ASSERT_TRUE(bytes == oldBytes || bytes == newBytes) << "round " << round << ": " << bytes;
  }
}

}  // namespace
}  // namespace quillary
