#include "common/AtomicFile.h"

#include <gtest/gtest.h>

#include "support/TempFolder.h"

#include <fstream>

namespace quillary {
namespace {

namespace fs = std::filesystem;

class AtomicFileTest : public ::testing::Test {
 protected:
  std::size_t entries() const {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()));
  }
  testing::TempFolder temp_;
  const fs::path& folder_ = temp_.path();
};

TEST_F(AtomicFileTest, ReplacesTheWholeFileAndLeavesNoTemporary) {
  fs::path file = folder_ / "psk.ini";
  ASSERT_TRUE(writeFileAtomically(file, std::string("first, a longer text\r\n")));
  ASSERT_TRUE(writeFileAtomically(file, std::string("new\r\n\0x", 6)));
  EXPECT_EQ(testing::readBytes(file), std::string("new\r\n\0x", 6));
  EXPECT_EQ(entries(), 1u);
  ASSERT_TRUE(writeFileAtomically(file, ""));
  EXPECT_EQ(fs::file_size(file), 0u);
}

TEST_F(AtomicFileTest, FailureKeepsTheOldFileAndCleansUp) {
  // A target that is a folder cannot be replaced by a file.
  fs::path blocked = folder_ / "name.ini";
  fs::create_directory(blocked);
  fs::path old = blocked / "keep.txt";
  { std::ofstream(old) << "old"; }
  EXPECT_FALSE(writeFileAtomically(blocked, "new"));
  EXPECT_TRUE(fs::is_directory(blocked));
  EXPECT_EQ(testing::readBytes(old), "old");
  EXPECT_EQ(entries(), 1u);  // no temporary left behind

  EXPECT_FALSE(writeFileAtomically(folder_ / "missing" / "psk.ini", "x"));
  EXPECT_FALSE(writeFileAtomically(folder_ / "", "x"));  // no file name
  EXPECT_EQ(entries(), 1u);
}

}  // namespace
}  // namespace quillary
