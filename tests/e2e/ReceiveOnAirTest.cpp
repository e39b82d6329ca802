// The main window on the real engine hears a second engine on a simulated
// band: text, last line, spectrum, and the signal search.
#include <QTimer>
#include <algorithm>
#include <array>
#include <gtest/gtest.h>

#include "psk/audio/InProcessChannel.h"
#include "support/OnAirStation.h"

namespace quillary::testing {
namespace {

constexpr std::size_t kBlock = 256;
constexpr int kOtherFrequency = 1580;

TEST(ReceiveOnAir, AnotherStationsPictureCommandIsReceivedShownAndHeld) {
  psk::InProcessChannel band(0.01, 11);
  OnAirStation ours(band.stationA());
  psk::test::RecordingWindow theirWindow;  // outlives the engine posting to it
  psk::test::PumpedDevices theirDevices({&band.stationB()});
  psk::PskEngine theirs(theirDevices);
  Form1& form = ours.form;
  // Audio for `seconds`, with the window's events handled after each block
  // and Timer1 ticking once a second.
  std::size_t samples = 0;
  const auto pump = [&](double seconds) {
    auto* timer1 = ours.control<QTimer>("Timer1");
    for (std::size_t i = 0; i < static_cast<std::size_t>(seconds * 8000 / kBlock); ++i, samples += kBlock) {
      band.pump(kBlock);
      QCoreApplication::sendPostedEvents();
      if (samples % 8000 < kBlock && timer1->isActive()) QMetaObject::invokeMethod(timer1, "timeout");
    }
  };

  // "Search" on, hunting around the preset centre 1600 before anyone calls.
  ours.show();
  QTest::mouseClick(ours.control<QCheckBox>("Check2"), Qt::LeftButton);
  pump(2.0);
  EXPECT_EQ(form.state().searchState, 2);

  ASSERT_EQ(theirs.fnStartSoundCard(&theirWindow, 0, 1), 0);
  theirs.fnSetTXFrequency(kOtherFrequency);
  theirs.fnStartTX(kModeBpsk31);
  theirs.fnSendTXString("CQ CQ CQ de N0CALL\r\n:N0CALL/PHOTO\r\n");
  theirs.fnStopTX();
  pump(4.0);

  // Its sidebands stand within half the baud rate of the carrier.
  std::array<int32_t, kSpectrumBins> bins{};
  ours.engine.fnGetFFTData(bins.data(), 256, 512);
  const auto strongest = std::max_element(bins.begin() + 256, bins.begin() + 513) - bins.begin();
  EXPECT_NEAR(strongest * 3.90625, kOtherFrequency, 20.0);
  EXPECT_NEAR(ours.engine.fnGetRXFrequency(0), kOtherFrequency, 4);
  EXPECT_EQ(form.state().searchState, 1) << "the search holds the signal it found";

  pump(20.0);  // the rest of the transmission, and a quiet band again
  ASSERT_EQ(theirWindow.transmitStates(), (std::vector<int32_t>{1, 0}));
  EXPECT_TRUE(ours.received().contains("CQ de N0CALL\n:N0CALL/PHOTO\n")) << ours.received().toStdString();
  EXPECT_EQ(ours.control<QLineEdit>("Text3")->text(), ":N0CALL/PHOTO");
  EXPECT_EQ(form.state().searchState, 2) << "with the band quiet again the search lets go and hunts";
}

}  // namespace
}  // namespace quillary::testing
