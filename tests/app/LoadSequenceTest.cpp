// The load sequence: the modem calls in order with their arguments, the
// start result in the receive area, psk.ini restored, the window placed.
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScreen>
#include "app/FrequencyScrollBar.h"
#include <gtest/gtest.h>

#include "modem/ModemEventHook.h"
#include "modem/ModemMessageEvent.h"
#include "support/Form1Harness.h"

namespace quillary::testing {
namespace {

using Calls = std::vector<std::string>;

TEST(LoadSequence, WithoutPskIniTheModemIsStartedAndTunedInOrderAndTheWindowCentred) {
  Form1Harness h(3);
  h.modem.answer("fnGetRXFrequency", 1600);
  h.load();
  // VScroll1 moves from 1500 to 1600, so its change handler retunes.
  EXPECT_EQ(h.modem.calls(),
            (Calls{"fnStartSoundCard(3,1)", "fnSetRXFrequency(1600,0,0)", "fnSetRXPSKMode(0,0)",
                   "fnSetSquelchThreshold(0,0,0)", "fnGetRXFrequency(0)", "fnSetRXFrequency(1600,0,0)",
                   "fnSetAFCLimit(500,0)", "fnSetFFTMode(3,100,1)", "fnSetFFTMode(3,100,1)"}));
  EXPECT_EQ(h.modem.window(), static_cast<ModemWindow*>(&h.form()));
  Form1Controls& c = h.controls();
  EXPECT_EQ(c.Combo5->currentText(), "0");
  EXPECT_EQ(c.VScroll1->frequency(), 1600);
  EXPECT_EQ(c.VScroll3->value(), 99);
  EXPECT_EQ(h.state().savedWidth, 0);

  Form1& f = h.form();
  EXPECT_NEAR(f.widthTwips(), 5085, 15);
  EXPECT_NEAR(f.heightTwips(), 6165, 15);
  const QRect area = f.screen()->availableGeometry();
  const TwipsScale& scale = f.scale();
  EXPECT_NEAR(f.topTwips(), scale.yTwips(area.y()) + (scale.yTwips(area.height()) - 6165) / 2, 15);
  EXPECT_NEAR(f.leftTwips(), scale.xTwips(area.x()) + (scale.xTwips(area.width()) - 5085) / 2, 15);

  f.hide();  // showing the window again does not load again
  f.show();
  EXPECT_EQ(h.modem.callsOf("fnStartSoundCard").size(), 1u);
}

TEST(LoadSequence, PskIniIsRestoredBeforeTheModemStarts) {
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
  EXPECT_EQ(c.Combo4->currentText(), "150");
  EXPECT_EQ(c.Combo1->currentText(), "5");
  EXPECT_EQ(c.Combo2->currentText(), "20");
  // The list filled later does not replace the restored text.
  EXPECT_EQ(c.Combo5->currentText(), "4");
  EXPECT_EQ(c.Combo5->count(), 9);
  EXPECT_EQ(h.state().savedWidth, 9000);
  EXPECT_EQ(h.state().savedHeight, 7000);
  // The squelch bar shows the restored threshold without sending it twice.
  EXPECT_EQ(c.VScroll3->value(), 74);
  EXPECT_EQ(c.VScroll1->frequency(), 1450);
  // A negative Left is taken as 0; the window keeps its start size.
  EXPECT_NEAR(h.form().topTwips(), 1785, 15);
  EXPECT_NEAR(h.form().leftTwips(), 0, 15);
  EXPECT_NEAR(h.form().widthTwips(), 5085, 15);
  EXPECT_NEAR(h.form().heightTwips(), 6165, 15);
}

TEST(LoadSequence, StartResultIsShownExactlyAndLoadingGoesOn) {
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
    EXPECT_EQ(h.modem.callsOf("fnSetFFTMode").size(), 2u);
  }
}

TEST(LoadSequence, ReceiveFrequencyScrollBarKeepsTheModemsAnswerWithinItsRange) {
  for (const auto& [answer, shown] : {std::pair{40, 100}, {70000, 3000}}) {
    Form1Harness h;
    h.modem.answer("fnGetRXFrequency", answer);
    h.load();
    EXPECT_EQ(h.controls().VScroll1->frequency(), shown);
  }
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

TEST(LoadSequence, TheHookSeesNotificationsOnlyWhileLoadedAndPassesEveryOneOn) {
  Form1Harness h;
  NotificationCounter behindTheHook;
  h.form().installEventFilter(&behindTheHook);
  h.form().post(kMsgCharacter, 'A', 0);  // before the load: no hook yet
  QApplication::processEvents();
  h.load();
  ASSERT_NE(h.form().hook(), nullptr);
  h.modem.window()->post(kMsgCharacter, 'C', 0);
  h.modem.window()->post(kMsgClockError, 3, 0);
  QApplication::processEvents();
  EXPECT_EQ(h.form().hook()->notificationsSeen(), 2);
  h.close();
  EXPECT_EQ(h.form().hook(), nullptr);
  h.form().post(kMsgCharacter, 'Q', 0);
  QApplication::processEvents();
  EXPECT_EQ(behindTheHook.count, 4);
  h.form().removeEventFilter(&behindTheHook);
}

}  // namespace
}  // namespace quillary::testing
