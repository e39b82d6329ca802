#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <gtest/gtest.h>

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

}  // namespace
}  // namespace quillary::testing
