// The log on the disk: a contact appended is on the disk as it is saved, an
// earlier record is never harmed (a crash's cut tail, a full disk), and a
// log changed behind its back is read again before it is written over.
#include <gtest/gtest.h>

#include "logbook/Adif.h"
#include "logbook/LogFile.h"
#include "support/FileFaults.h"
#include "support/TempFolder.h"

namespace quillary::testing {
namespace {

const LogRecord kFirst{{"CALL", "JA1XYZ"}, {"QSO_DATE", "20240501"}, {"TIME_ON", "1200"}};
const LogRecord kSecond{{"CALL", "N0CALL"}, {"QSO_DATE", "20240502"}, {"TIME_ON", "1300"}};
const LogRecord kThird{{"CALL", "W1AW"}, {"QSO_DATE", "20240503"}, {"TIME_ON", "1400"}};

class LogFileTest : public ::testing::Test {
 protected:
  std::filesystem::path path() const { return folder.path() / "quillary.adi"; }
  TempFolder folder;
};

TEST_F(LogFileTest, AppendsAfterTheLastWholeRecordAndCutsOnlyAHalfWrittenOne) {
  LogFile log(path());
  ASSERT_TRUE(log.load());
  ASSERT_TRUE(log.append(kFirst));
  ASSERT_TRUE(log.append(kSecond));
  EXPECT_EQ(readBytes(path()), adifHeader() + adifRecord(kFirst) + adifRecord(kSecond));

  // A crash in the middle of the next save left half a record.
  const std::string third = adifRecord(kThird);
  writeBytes(path(), readBytes(path()) + third.substr(0, third.size() / 2));
  LogFile after(path());
  ASSERT_TRUE(after.load());
  EXPECT_EQ(after.records(), (std::vector<LogRecord>{kFirst, kSecond}));
  ASSERT_TRUE(after.append(kThird));
  EXPECT_EQ(readBytes(path()), adifHeader() + adifRecord(kFirst) + adifRecord(kSecond) + third);
}

TEST_F(LogFileTest, ADiskFullPartWayLeavesTheFileAndTheRecordsAsTheyWere) {
  LogFile log(path());
  ASSERT_TRUE(log.append(kFirst));
  const std::string before = readBytes(path());
  {
    FullDisk full(10);
    EXPECT_FALSE(log.append(kSecond));
    EXPECT_FALSE(log.replaceAll({kSecond}));
  }
  EXPECT_EQ(readBytes(path()), before);
  EXPECT_EQ(log.records(), std::vector<LogRecord>{kFirst});
  ASSERT_TRUE(log.append(kSecond)) << "room again, the same contact goes in";
  EXPECT_EQ(readBytes(path()), before + adifRecord(kSecond));
}

TEST_F(LogFileTest, ALogChangedOnTheDiskIsReadAgainNotWrittenOver) {
  LogFile mine(path()), other(path());
  ASSERT_TRUE(mine.append(kFirst));
  ASSERT_TRUE(other.load());
  ASSERT_TRUE(other.append(kSecond));
  EXPECT_FALSE(mine.replaceAll({kThird}));
  EXPECT_EQ(mine.records(), (std::vector<LogRecord>{kFirst, kSecond}));
  ASSERT_TRUE(mine.append(kThird));
  EXPECT_EQ(readAdif(readBytes(path())).records, (std::vector<LogRecord>{kFirst, kSecond, kThird}));
}

}  // namespace
}  // namespace quillary::testing
