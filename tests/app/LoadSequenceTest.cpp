#include <QComboBox>
#include <QGuiApplication>
#include <QSignalSpy>
#include <csignal>
#include <QLineEdit>
#include <QScreen>
#include <gtest/gtest.h>

#include "app/ProgramFolder.h"
#include "app/TerminationSignals.h"
#include "support/Form1Harness.h"

namespace quillary::testing {
namespace {

using Calls = std::vector<std::string>;

TEST(LoadSequence, PskIniIsRestoredBeforeTheModemStartsOnce) {
  Form1Harness h;
  writeBytes(h.file("psk.ini"),
             "1785\r\n-120\r\n\"JA1ABC\"\r\n25\r\n\"150\"\r\n9000\r\n7000\r\n\"5\"\r\n\"20\"\r\n\"4\"\r\n");
  h.modem.answer("fnGetRXFrequency", 1450);
  h.load();
  EXPECT_EQ(h.modem.calls(),
            (Calls{"fnStartSoundCard(-1,1)", "fnSetRXFrequency(1600,0,0)", "fnSetRXPSKMode(0,0)",
                   "fnSetSquelchThreshold(25,0,0)", "fnGetRXFrequency(0)", "fnSetRXFrequency(1450,0,0)",
                   "fnSetAFCLimit(500,0)", "fnSetFFTMode(3,100,1)", "fnSetFFTMode(5,100,20)"}));
  Form1Controls& c = h.controls();
  EXPECT_EQ(c.Text4->text(), "JA1ABC");
  EXPECT_EQ(c.Combo5->currentText(), "4") << "the list filled later keeps the restored text";
  EXPECT_EQ(h.state().savedWidth, 9000);
  EXPECT_NEAR(h.form().topTwips(), 1785, 15);
  h.form().hide();  // showing the window again does not load again
  h.form().show();
  EXPECT_EQ(h.modem.callsOf("fnStartSoundCard").size(), 1u);
}

TEST(ScreenPlacement, AWindowSavedOnNoScreenIsBroughtBackIntoSight) {
  Form1Harness h;
  writeBytes(h.file("psk.ini"), "90000\r\n120000\r\n");
  h.load();
  const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
  const QRect frame = h.form().frameGeometry();
  EXPECT_TRUE(area.contains(frame.topLeft()));
  const QRect shown = area.intersected(frame);  // the platform's frame may add a few pixels
  EXPECT_GT(shown.width() * shown.height(), 0.95 * frame.width() * frame.height());
}

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
