// Where the main window keeps its files, and the termination signals.
#include <QApplication>
#include <QSignalSpy>
#include <csignal>
#include <gtest/gtest.h>

#include "app/ProgramFolder.h"
#include "app/StartResult.h"
#include "app/TerminationSignals.h"
#include "support/GuiTest.h"

namespace quillary::testing {
namespace {

TEST(ProgramFolder, OnlyTheExactArgumentTextTestChoosesTheTestFolder) {
  const std::filesystem::path current = "/work/here";
  const std::filesystem::path home = "/home/op";
  EXPECT_EQ(programFolderFor("TEST", current, home), home / "bb");
  for (const char* other : {"", "test", "TEST ", " TEST", "TEST x", "TESTING"}) {
    EXPECT_EQ(programFolderFor(other, current, home), current) << other;
  }
}

TEST(ProgramFolder, ArgumentTextIsEverythingAfterTheProgramNameJoinedByBlanks) {
  EXPECT_EQ(argumentText({"quillary"}), "");
  EXPECT_EQ(argumentText({"quillary", "TEST"}), "TEST");
  EXPECT_EQ(argumentText({"quillary", "TEST", "x"}), "TEST x");
  EXPECT_EQ(programFolderFor(argumentText({"quillary", "TEST", "x"}), "/c", "/h"), "/c");
}

TEST(SpectrumSetting, NumbersAreRoundedAndKeptInRangeOtherTextsFallBack) {
  EXPECT_EQ(spectrumSetting("5", 3, 1, 10), 5);
  EXPECT_EQ(spectrumSetting("4.5", 3, 1, 10), 4);
  EXPECT_EQ(spectrumSetting("0", 3, 1, 10), 1);
  EXPECT_EQ(spectrumSetting("300", 1, 1, 90), 90);
  EXPECT_EQ(spectrumSetting("abc", 3, 1, 10), 3);
  EXPECT_EQ(spectrumSetting("", 1, 1, 90), 1);
  EXPECT_EQ(spectrumSetting("12 x", 3, 1, 10), 3);
}

TEST(TerminationSignals, SigtermAndSigintArriveAsOneQtSignalEach) {
  ensureQtApplication();
  TerminationSignals signals_;
  QSignalSpy spy(&signals_, &TerminationSignals::terminationRequested);
  std::raise(SIGTERM);
  std::raise(SIGINT);
  for (int i = 0; i < 50 && spy.count() < 2; ++i) QApplication::processEvents(QEventLoop::AllEvents, 20);
  ASSERT_EQ(spy.count(), 2);
  EXPECT_EQ(spy.at(0).at(0).toInt(), SIGTERM);
  EXPECT_EQ(spy.at(1).at(0).toInt(), SIGINT);
}

}  // namespace
}  // namespace quillary::testing
