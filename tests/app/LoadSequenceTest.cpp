// The load sequence: the modem calls in order with their arguments, the
// start result in the receive area, psk.ini restored, the window placed.
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScreen>
#include "app/FrequencyScrollBar.h"
#include <gtest/gtest.h>

#include "app/ScreenPlacement.h"
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
  EXPECT_EQ(h.controls().VScroll3->value(), 99);

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
  // The list filled later does not replace the restored text.
  EXPECT_EQ(c.Combo5->currentText(), "4");
  EXPECT_EQ(c.Combo5->count(), 9);
  EXPECT_EQ(h.state().savedWidth, 9000);
  EXPECT_EQ(h.state().savedHeight, 7000);
  EXPECT_EQ(c.VScroll3->value(), 74);  // the restored squelch, not sent twice
  // A negative Left is taken as 0; the window keeps its start size.
  EXPECT_NEAR(h.form().topTwips(), 1785, 15);
  EXPECT_NEAR(h.form().leftTwips(), 0, 15);
  EXPECT_NEAR(h.form().widthTwips(), 5085, 15);
}

TEST(LoadSequence, StartResultIsShownExactlyAndLoadingGoesOn) {
  const std::tuple<int32_t, const char*, int32_t, int> cases[] = {
      {0, "Card Opened ", 40, 100},
      {5, "", 70000, 3000},  // the receive bar keeps the modem's answer in its range
      {11, "Error Code : 11 Tried to read nd soundcard is not open ", 1500, 1500},
      {18, "Error Code : 18 Still somthing playing on soundcard ", 1500, 1500},
      {21, "Error Code : 21 Bad Device ID, Soundcard Not Present ", 1500, 1500},
  };
  for (const auto& [result, text, frequency, shown] : cases) {
    SCOPED_TRACE(result);
    Form1Harness h;
    h.modem.answer("fnStartSoundCard", result);
    h.modem.answer("fnGetRXFrequency", frequency);
    h.load();
    EXPECT_EQ(h.controls().Term->toPlainText(), QString::fromLatin1(text));
    EXPECT_EQ(h.modem.callsOf("fnSetFFTMode").size(), 2u);
    EXPECT_EQ(h.controls().VScroll1->frequency(), shown);
  }
}

TEST(ScreenPlacement, APositionOnAScreenIsKeptOneOnNoScreenIsBroughtBack) {
  const QList<QRect> two = {QRect(0, 0, 1920, 1040), QRect(1920, 0, 1280, 1024)};
  EXPECT_EQ(reachablePosition(QRect(3100, 900, 339, 411), two), QPoint(3100, 900));  // partly beyond
  const QList<QRect> one = {QRect(0, 0, 1920, 1040)};
  EXPECT_EQ(reachablePosition(QRect(-500, 100, 339, 411), one), QPoint(0, 100));
  EXPECT_EQ(reachablePosition(QRect(5000, 5000, 3000, 3000), one), QPoint(0, 0));  // larger than it
  EXPECT_EQ(reachablePosition(QRect(5000, 5000, 30, 30), {}), QPoint(5000, 5000));

  Form1Harness h;
  writeBytes(h.file("psk.ini"), "90000\r\n120000\r\n");
  h.load();
  const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
  const QRect frame = h.form().frameGeometry();
  EXPECT_TRUE(area.contains(frame.topLeft()));
  const QRect shown = area.intersected(frame);  // the platform's frame may add a few pixels
  EXPECT_GT(shown.width() * shown.height(), 0.95 * frame.width() * frame.height());
}

}  // namespace
}  // namespace quillary::testing
