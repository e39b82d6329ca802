// The signal search of the main window on the real engine: it finds another
// engine's station near the preset, holds it while it sends, and lets go
// when the band is quiet again (the engine's level against the squelch).
#include <QTimer>
#include <gtest/gtest.h>

#include "psk/audio/InProcessChannel.h"
#include "support/OnAirStation.h"

namespace quillary::testing {
namespace {

TEST(ReceiveOnAir, TheSearchFindsAStationNearThePresetHoldsItAndLetsGoWhenTheBandIsQuiet) {
  psk::InProcessChannel band(0.01, 11);
  OnAirStation ours(band.stationA());
  psk::test::RecordingWindow theirWindow;  // outlives the engine posting to it
  psk::test::PumpedDevices theirDevices({&band.stationB()});
  psk::PskEngine theirs(theirDevices);
  // Audio for `seconds`, Timer1 ticking once a second of it.
  const auto pump = [&](double seconds) {
    auto* timer1 = ours.control<QTimer>("Timer1");
    for (int second = 0; second < seconds; ++second) {
      pumpUntil(band, [] { return false; }, 1.0);
      if (timer1->isActive()) QMetaObject::invokeMethod(timer1, "timeout");
    }
  };
  ours.show();
  QTest::mouseClick(ours.control<QCheckBox>("Check2"), Qt::LeftButton);  // "Search", around 1600
  pump(2);
  EXPECT_EQ(ours.form.state().searchState, 2) << "hunting on a quiet band";

  ASSERT_EQ(theirs.fnStartSoundCard(&theirWindow, 0, 1), 0);
  theirs.fnSetTXFrequency(1580);
  theirs.fnStartTX(kModeBpsk31);
  theirs.fnSendTXString("CQ CQ CQ de N0CALL\r\n:N0CALL/PHOTO\r\n");
  theirs.fnStopTX();
  pump(4);
  EXPECT_NEAR(ours.engine.fnGetRXFrequency(0), 1580, 4);
  EXPECT_EQ(ours.form.state().searchState, 1) << "the search holds the signal it found";

  pump(20);  // the rest of the transmission, and a quiet band again
  ASSERT_EQ(theirWindow.transmitStates(), (std::vector<int32_t>{1, 0}));
  EXPECT_EQ(ours.control<QLineEdit>("Text3")->text(), ":N0CALL/PHOTO");
  EXPECT_EQ(ours.form.state().searchState, 2) << "with the band quiet again the search lets go and hunts";
}

}  // namespace
}  // namespace quillary::testing
