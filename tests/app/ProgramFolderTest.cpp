#include <QApplication>
#include <QSignalSpy>
#include <csignal>
#include <gtest/gtest.h>

#include "app/ProgramFolder.h"
#include "app/TerminationSignals.h"
#include "support/GuiTest.h"

namespace quillary::testing {
namespace {

TEST(ProgramFolder, OnlyTheExactArgumentTextTestChoosesTheTestFolder) {
  EXPECT_EQ(programFolderFor(argumentText({"quillary", "TEST"}), "/c", "/home/op"), "/home/op/bb");
  for (const QStringList& arguments : {QStringList{"quillary"}, {"quillary", "test"}, {"quillary", "TEST "},
                                       {"quillary", "TEST", "x"}, {"quillary", "", "TEST"}, {"TEST"}})
    EXPECT_EQ(programFolderFor(argumentText(arguments), "/c", "/home/op"), "/c") << arguments.join(',').toStdString();
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
