// Two engines on a real sound device, through PortAudio: one transmits, the
// other hears it. Runs where test.sh could start a sound server with a null
// sink whose monitor is the default input (QUILLARY_SOUND_TEST_DEVICE names
// the PortAudio device to use); elsewhere it is skipped, except under CI
// (CI=true), where it fails. Audio runs in real
// time here, so the test waits for the text (a bound, not a speed goal).
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "psk/PskModem.h"
#include "support/EngineTestSupport.h"

namespace quillary::psk {
namespace {

TEST(SoundCard, AStationTransmittingThroughTheCardIsHeardByAnother) {
  const char* deviceName = std::getenv("QUILLARY_SOUND_TEST_DEVICE");
  if (deviceName == nullptr) {
    // Under CI a skip would hide that the card was never tried.
    if (const char* ci = std::getenv("CI"); ci != nullptr && std::string_view(ci) == "true")
      FAIL() << "CI=true and no test sound server: scripts/start-test-sound.sh could not start one";
    GTEST_SKIP() << "no test sound server (see test.sh)";
  }

  PskModem sender = makePskModem();
  PskModem listener = makePskModem();
  const auto& devices = sender.devices->devices();
  const auto found = std::ranges::find_if(devices, [&](const auto& d) { return d.name == deviceName; });
  const int device = found == devices.end() ? -1 : static_cast<int>(found - devices.begin());
  ASSERT_GE(device, 0) << "no sound device named " << deviceName;

  test::RecordingWindow senderWindow, listenerWindow;
  ASSERT_EQ(listener.engine->fnStartSoundCard(&listenerWindow, device, 1), 0);
  ASSERT_EQ(sender.engine->fnStartSoundCard(&senderWindow, device, 1), 0);
  listener.engine->fnSetRXPSKMode(kModeBpsk63, 0);
  listener.engine->fnSetRXFrequency(1500, 0, 0);
  listener.engine->fnSetSquelchThreshold(30, 0, 0);
  sender.engine->fnSetTXFrequency(1500);
  sender.engine->fnStartTX(kModeBpsk63);
  const std::string expected = "CQ de PA0AIR\r\n:PA0AIR/PHOTO\r\n";
  sender.engine->fnSendTXString(expected);
  sender.engine->fnStopTX();

  const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while ((listenerWindow.text().find(expected) == std::string::npos || senderWindow.transmitStates().size() < 2) &&
         std::chrono::steady_clock::now() < giveUp)
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  sender.engine->fnStopSoundCard();
  listener.engine->fnStopSoundCard();

  EXPECT_NE(listenerWindow.text().find(expected), std::string::npos) << "heard: " << listenerWindow.text();
  EXPECT_EQ(senderWindow.transmitStates(), (std::vector<int32_t>{1, 0}));
}

}  // namespace
}  // namespace quillary::psk
