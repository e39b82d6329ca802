// A sound card pulled in the middle of a transmission, with the main window
// on the real engine: the window hears that the transmitter is off, PTT is
// released, the window keeps working, and the next start transmits again.
#include <QComboBox>
#include <gtest/gtest.h>

#include "support/OnAirStation.h"
#include "window/Form1Controls.h"

namespace quillary::testing {
namespace {

// PTT on port 1, then PHOTO.
void startPhoto(Form1& form) {
  Form1Controls& c = form.controls();
  QTest::mouseClick(c.Check3, Qt::LeftButton);
  c.Combo5->setEditText(QStringLiteral("1"));
  QTest::mouseClick(c.Command3, Qt::LeftButton);
  QTest::keyClicks(c.Text4, "N0CALL");
  QTest::mouseClick(c.Command4[1], Qt::LeftButton);
}

TEST(DeviceLoss, ACardPulledWhileTransmittingUnkeysAndTheNextStartTransmitsAgain) {
  psk::PumpedAudio device;
  auto ptt = std::make_shared<psk::test::PttLog>();
  OnAirStation station(device, psk::test::fakePttOptions(ptt, {"/dev/ttyUSB0"}));
  Form1& form = station.form;
  form.show();
  startPhoto(form);
  ASSERT_TRUE(pumpUntil(device, [&] { return form.state().transmitterOn == 1; }));
  ASSERT_TRUE(ptt->keyed);

  device.loseDevice();
  QCoreApplication::sendPostedEvents();
  EXPECT_EQ(form.state().transmitterOn, 0);
  EXPECT_FALSE(ptt->keyed);

  QTest::keyClicks(form.controls().Text5, "TEST");
  QTest::mouseClick(form.controls().Command4_10, Qt::LeftButton);  // CQ
  QCoreApplication::processEvents();
  EXPECT_FALSE(ptt->keyed) << "nothing keys on a card that is gone";
  EXPECT_TRUE(station.dialogs.shown.empty());
  form.close();

  // The next start (after "Set Sound", or the program started again).
  ptt->events.clear();
  Form1 again(station.engine, station.dialogs, station.station, station.folder.path(), 0);
  again.show();
  startPhoto(again);
  ASSERT_TRUE(pumpUntilTransmissionEnds(device, again));
  EXPECT_EQ(std::ranges::count(ptt->events, "key"), 1) << "keyed for the second transmission";
  EXPECT_FALSE(ptt->keyed);
}

}  // namespace
}  // namespace quillary::testing
