// The load sequence: the modem calls in order with their arguments, the
// start result in the receive area, psk.ini restored, the window placed.
#include <QApplication>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollBar>
#include <gtest/gtest.h>

#include "modem/ModemEventHook.h"
#include "modem/ModemMessageEvent.h"
#include "support/Form1Harness.h"

namespace quillary::testing {
namespace {

using Calls = std::vector<std::string>;

TEST(LoadSequence, WithoutPskIniTheModemIsStartedAndTunedInOrder) {
  Form1Harness h(3);
  h.modem.answer("fnGetRXFrequency", 1600);
  h.load();
  // VScroll1 moves from 1500 to 1600, so its change handler retunes.
  const Calls expected = {
      "fnStartSoundCard(3,1)",        "fnSetRXFrequency(1600,0,0)", "fnSetRXPSKMode(0,0)",
      "fnSetSquelchThreshold(0,0,0)", "fnGetRXFrequency(0)",        "fnSetRXFrequency(1600,0,0)",
      "fnSetAFCLimit(500,0)",         "fnSetFFTMode(3,100,1)",      "fnSetFFTMode(3,100,1)",
  };
  EXPECT_EQ(h.modem.calls(), expected);
  EXPECT_EQ(h.modem.window(), static_cast<ModemWindow*>(&h.form()));
  Form1Controls& c = h.controls();
  EXPECT_EQ(c.Combo1->currentText(), "3");
  EXPECT_EQ(c.Combo2->currentText(), "1");
  EXPECT_EQ(c.Combo5->currentText(), "0");
  EXPECT_EQ(c.Text4->text(), "");
  EXPECT_EQ(c.VScroll1->value(), 1600);
  EXPECT_EQ(c.VScroll3->value(), 99);

  MainState& s = h.state();
  EXPECT_EQ(s.presetCentre, 1600);
  EXPECT_EQ(s.range.low, 1000);
  EXPECT_EQ(s.range.high, 2000);
  EXPECT_EQ(s.range.gridCount, 10);
  EXPECT_EQ(s.imd.best, 9999);
  EXPECT_EQ(s.imd.worst, -9999);
  EXPECT_EQ(s.afc, 1);
  EXPECT_EQ(s.searchState, 2);
  EXPECT_EQ(s.soundReset, 0);
  EXPECT_EQ(s.squelch, 0);
  EXPECT_EQ(s.savedWidth, 0);
  EXPECT_TRUE(s.nameLogPath.empty());
}

TEST(LoadSequence, PskIniIsRestoredBeforeTheModemStarts) {
  Form1Harness h;
  writeBytes(h.file("psk.ini"),
             "1785\r\n-120\r\n\"JA1ABC\"\r\n25\r\n\"150\"\r\n9000\r\n7000\r\n\"5\"\r\n\"20\"\r\n\"4\"\r\n");
  h.modem.answer("fnGetRXFrequency", 1450);
  h.load();
  const Calls expected = {
      "fnStartSoundCard(-1,1)",        "fnSetRXFrequency(1600,0,0)", "fnSetRXPSKMode(0,0)",
      "fnSetSquelchThreshold(25,0,0)", "fnGetRXFrequency(0)",        "fnSetRXFrequency(1450,0,0)",
      "fnSetAFCLimit(500,0)",          "fnSetFFTMode(3,100,1)",      "fnSetFFTMode(5,100,20)",
  };
  EXPECT_EQ(h.modem.calls(), expected);
  Form1Controls& c = h.controls();
  EXPECT_EQ(c.Text4->text(), "JA1ABC");
  EXPECT_EQ(c.Combo4->currentText(), "150");
  EXPECT_EQ(c.Combo1->currentText(), "5");
  EXPECT_EQ(c.Combo2->currentText(), "20");
  // The list filled later does not replace the restored text.
  EXPECT_EQ(c.Combo5->currentText(), "4");
  EXPECT_EQ(c.Combo5->count(), 9);
  EXPECT_EQ(h.state().squelch, 25);
  EXPECT_EQ(h.state().savedWidth, 9000);
  EXPECT_EQ(h.state().savedHeight, 7000);
  // The squelch bar shows the restored threshold without sending it twice.
  EXPECT_EQ(c.VScroll3->value(), 74);
  EXPECT_EQ(c.VScroll1->value(), 1450);
  // Top and Left: a negative Left is taken as 0; the window keeps its start size.
  EXPECT_NEAR(h.form().topTwips(), 1785, 15);
  EXPECT_NEAR(h.form().leftTwips(), 0, 15);
  EXPECT_NEAR(h.form().widthTwips(), 5085, 15);
  EXPECT_NEAR(h.form().heightTwips(), 6165, 15);
}

TEST(LoadSequence, WithoutPskIniTheWindowIsCentredAt5085By6165) {
  Form1Harness h;
  h.load();
  Form1& f = h.form();
  EXPECT_NEAR(f.widthTwips(), 5085, 15);
  EXPECT_NEAR(f.heightTwips(), 6165, 15);
  const QRect area = f.screen()->availableGeometry();
  const TwipsScale& scale = f.scale();
  EXPECT_NEAR(f.topTwips(),
              scale.yTwips(area.y()) + (scale.yTwips(area.height()) - 6165) / 2, 15);
  EXPECT_NEAR(f.leftTwips(),
              scale.xTwips(area.x()) + (scale.xTwips(area.width()) - 5085) / 2, 15);
}

TEST(LoadSequence, StartResultIsShownExactlyInTheReceiveArea) {
  const std::pair<int32_t, const char*> cases[] = {
      {0, "Card Opened "},
      {5, ""},
      {11, "Error Code : 11 Tried to read nd soundcard is not open "},
      {18, "Error Code : 18 Still somthing playing on soundcard "},
      {21, "Error Code : 21 Bad Device ID, Soundcard Not Present "},
  };
  for (const auto& [result, text] : cases) {
    SCOPED_TRACE(result);
    Form1Harness h;
    h.modem.answer("fnStartSoundCard", result);
    h.load();
    EXPECT_EQ(h.controls().Term->toPlainText(), QString::fromLatin1(text));
    // Loading goes on whatever the result.
    EXPECT_EQ(h.modem.callsOf("fnSetFFTMode").size(), 2u);
  }
}

TEST(LoadSequence, SpectrumTextsThatAreNotNumbersGiveTheStartValues) {
  Form1Harness h;
  writeBytes(h.file("psk.ini"),
             "0\r\n0\r\n\"\"\r\n0\r\n\"50\"\r\n0\r\n0\r\n\"smooth\"\r\n\"12 x\"\r\n\"0\"\r\n");
  h.load();
  EXPECT_EQ(h.modem.callsOf("fnSetFFTMode").back(), "fnSetFFTMode(3,100,1)");
  EXPECT_EQ(h.controls().Combo1->currentText(), "smooth");
  // A squelch of 0 in the file restores 10.
  EXPECT_EQ(h.modem.callsOf("fnSetSquelchThreshold").front(), "fnSetSquelchThreshold(10,0,0)");
}

TEST(LoadSequence, SpectrumNumbersOutsideTheModemsRangeAreKeptWithinIt) {
  Form1Harness h;
  writeBytes(h.file("psk.ini"),
             "0\r\n0\r\n\"\"\r\n5\r\n\"50\"\r\n0\r\n0\r\n\"12\"\r\n\"0\"\r\n\"0\"\r\n");
  h.load();
  EXPECT_EQ(h.modem.callsOf("fnSetFFTMode").back(), "fnSetFFTMode(10,100,1)");
}

TEST(LoadSequence, ReceiveFrequencyScrollBarKeepsTheModemsAnswerWithinItsRange) {
  Form1Harness low;
  low.modem.answer("fnGetRXFrequency", 40);
  low.load();
  EXPECT_EQ(low.controls().VScroll1->value(), 100);
  Form1Harness high;
  high.modem.answer("fnGetRXFrequency", 70000);
  high.load();
  EXPECT_EQ(high.controls().VScroll1->value(), 3000);
}

// Counts the modem notifications that reach it. Installed before the hook,
// it is asked after the hook, so it sees what the hook lets go on.
class NotificationCounter : public QObject {
 public:
  int count = 0;
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == ModemMessageEvent::eventType()) ++count;
    return false;
  }
};

TEST(LoadSequence, TheHookSeesNotificationsAfterTheLoadAndPassesEveryOneOn) {
  Form1Harness h;
  NotificationCounter behindTheHook;
  h.form().installEventFilter(&behindTheHook);
  h.form().post(kMsgCharacter, 'A', 0);  // before the load: no hook yet
  QApplication::processEvents();
  EXPECT_EQ(behindTheHook.count, 1);
  h.load();
  ASSERT_NE(h.form().hook(), nullptr);
  h.modem.window()->post(kMsgCharacter, 'C', 0);
  h.modem.window()->post(kMsgClockError, 3, 0);
  QApplication::processEvents();
  EXPECT_EQ(h.form().hook()->notificationsSeen(), 2);
  EXPECT_EQ(behindTheHook.count, 3);
  h.close();
  EXPECT_EQ(h.form().hook(), nullptr);
  h.form().post(kMsgCharacter, 'Q', 0);
  QApplication::processEvents();
  EXPECT_EQ(behindTheHook.count, 4);
  h.form().removeEventFilter(&behindTheHook);
}

TEST(LoadSequence, ShowingTheWindowAgainDoesNotLoadAgain) {
  Form1Harness h;
  h.load();
  h.form().hide();
  h.form().show();
  EXPECT_EQ(h.modem.callsOf("fnStartSoundCard").size(), 1u);
}

}  // namespace
}  // namespace quillary::testing
