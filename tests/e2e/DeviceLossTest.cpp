// A sound card pulled in the middle of a transmission, with the main window
// on the real engine: the window hears that the transmitter is off, PTT is
// released, the window keeps working, and the next start transmits again.
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "app/Form1.h"
#include "app/Form1Controls.h"
#include "psk/PskEngine.h"
#include "support/EngineTestSupport.h"
#include "support/FakeDialogs.h"
#include "support/GuiTest.h"

namespace quillary {
namespace {

using psk::PskEngine;
using psk::PumpedAudio;
using psk::test::PttLog;

// The transmit panel shown, PTT on port 1, the own call filled in.
void prepareToTransmit(Form1& form) {
  Form1Controls& c = form.controls();
  QTest::mouseClick(c.Check3, Qt::LeftButton);
  c.Combo5->setEditText(QStringLiteral("1"));
  QTest::mouseClick(c.Command3, Qt::LeftButton);
  QTest::keyClicks(c.Text4, "N0CALL");
}

// Pumps audio and hands the posted reports to the window until the window
// holds `transmitterOn`, at most a minute of audio.
bool pumpUntil(PumpedAudio& device, Form1& form, int16_t transmitterOn) {
  for (int block = 0; block < 60 * 8000 / 256; ++block) {
    device.pump(256);
    QCoreApplication::sendPostedEvents();
    if (form.state().transmitterOn == transmitterOn) return true;
  }
  return false;
}

TEST(DeviceLoss, ACardPulledWhileTransmittingUnkeysAndTheNextStartTransmitsAgain) {
  testing::ensureQtApplication();
  PumpedAudio device;
  psk::test::PumpedDevices devices{{&device}};
  auto ptt = std::make_shared<PttLog>();
  PskEngine engine(devices, psk::test::fakePttOptions(ptt, {"/dev/ttyUSB0"}));
  testing::FakeDialogs dialogs;
  testing::TempFolder folder;
  {
    Form1 form(engine, dialogs, folder.path(), 0);
    form.show();
    prepareToTransmit(form);
    QTest::mouseClick(form.controls().Command4[1], Qt::LeftButton);  // PHOTO
    ASSERT_TRUE(pumpUntil(device, form, 1));
    ASSERT_TRUE(ptt->keyed);

    device.loseDevice();
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(form.state().transmitterOn, 0);
    EXPECT_EQ(form.state().transmitState, 0);
    EXPECT_EQ(form.controls().Text5->toPlainText(), "");
    EXPECT_FALSE(ptt->keyed);

    // Still usable: typing, a button, a receive control.
    QTest::keyClicks(form.controls().Text5, "TEST");
    QTest::mouseClick(form.controls().Command4_10, Qt::LeftButton);  // CQ
    QTest::mouseClick(form.controls().Check1, Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_FALSE(ptt->keyed) << "nothing keys on a card that is gone";
    EXPECT_TRUE(dialogs.shown.empty());
    form.close();
  }
  // The next start (after "Set Sound", or the program started again).
  Form1 form(engine, dialogs, folder.path(), 0);
  form.show();
  EXPECT_EQ(form.controls().Term->toPlainText(), "Card Opened ");
  prepareToTransmit(form);
  QTest::mouseClick(form.controls().Command4[1], Qt::LeftButton);
  ASSERT_TRUE(pumpUntil(device, form, 1));
  EXPECT_TRUE(ptt->keyed);
  ASSERT_TRUE(pumpUntil(device, form, 0));
  EXPECT_FALSE(ptt->keyed);
  EXPECT_EQ(form.controls().Text5->toPlainText(), "");
  form.close();
}

}  // namespace
}  // namespace quillary
