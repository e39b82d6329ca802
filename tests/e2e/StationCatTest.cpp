// The main window keying a radio by CAT, on the real engine and station:
// hamlib's dummy rig in this process and behind a real rigctld started here.
// The rig answers on threads of its own, so the audio is pumped in small
// steps while the test waits, in real time and bounded, for what the rig
// says (rigctld is asked over a line of the test's own).
#include <QDialog>
#include <QLabel>
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "station/StationText.h"
#include "support/OnAirStation.h"
#include "support/Rigctld.h"
#include "window/FrequencyScrollBar.h"

namespace quillary::testing {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// A window keying the rig of `radioIni` by CAT, its transmit panel shown;
// PTT drops after 300 ms without transmit audio.
struct CatStation {
  explicit CatStation(const std::string& radioIni) : station(audio, {.pttPorts = {}, .serialPorts = {}, .clock = {}, .pttStallLimit = 300ms}) {
    writeBytes(station.folder.path() / "radio.ini", radioIni);
    station.show();
    station.readyToTransmit("N0CALL", "1500");
  }
  // Pumps the audio a block at a time (when `pumping`), handling the
  // window's events and timers, until `done()` or `limit` has passed.
  template <class Done>
  bool waitFor(Done done, std::chrono::milliseconds limit = 10s, bool pumping = true) {
    const auto giveUp = Clock::now() + limit;
    while (!done()) {
      if (Clock::now() > giveUp) return false;
      if (pumping) audio.pump(256);
      QCoreApplication::processEvents();
      std::this_thread::sleep_for(5ms);
    }
    return true;
  }
  bool transmitting() { return station.form.state().transmitterOn == 1; }
  QString statusLine() { return station.control<QLabel>("lblRadio")->text(); }
  bool portHeld() { return station.form.state().commPort.open == 1; }

  psk::PumpedAudio audio;
  OnAirStation station;
};

std::string catIni(int model, const std::string& device) {
  return "\"CAT\"\r\n" + std::to_string(model) + "\r\n\"" + device + "\"\r\n0\r\n";
}

TEST(StationCat, TuneAPictureButtonAbortAndTheWatchdogKeyAndUnkeyTheRig) {
  psk::test::Rigctld daemon;
  ASSERT_TRUE(daemon.running()) << daemon.problem();
  for (const bool behindRigctld : {false, true}) {
    SCOPED_TRACE(behindRigctld ? "rigctld" : "dummy rig in-process");
    CatStation s(behindRigctld ? catIni(2, daemon.address()) : catIni(1, ""));
    const auto rigKeyed = [&](bool keyed) {
      return [&, keyed] {
        if (behindRigctld) return daemon.ask("t") == (keyed ? "1" : "0");
        const auto rig = s.station.station.rig();
        return rig && rig->snapshot().rigPtt == keyed;
      };
    };
    s.station.press("Command3");  // Open
    ASSERT_TRUE(s.portHeld());
    ASSERT_TRUE(s.waitFor([&] { return s.station.form.state().radio.dialHz.has_value(); })) << "the rig answers";

    s.station.press("Command6");  // Tune
    EXPECT_TRUE(s.waitFor(rigKeyed(true))) << "Tune keys the rig";
    s.station.press("Command6");
    EXPECT_TRUE(s.waitFor([&] { return !s.transmitting(); }));
    EXPECT_TRUE(s.waitFor(rigKeyed(false))) << "and unkeys it";

    s.station.press("Command4_1");  // PHOTO
    EXPECT_TRUE(s.waitFor(rigKeyed(true))) << "PHOTO keys the rig";
    EXPECT_TRUE(s.transmitting());
    EXPECT_TRUE(s.waitFor([&] { return !s.transmitting(); }, 60s)) << "PHOTO goes out";
    EXPECT_TRUE(s.waitFor(rigKeyed(false))) << "and the rig is unkeyed after it";

    s.station.press("Command4_1");
    EXPECT_TRUE(s.waitFor(rigKeyed(true)));
    s.station.press("Command5");  // ABORT
    EXPECT_TRUE(s.waitFor(rigKeyed(false))) << "ABORT unkeys the rig";

    s.station.press("Command4_1");
    EXPECT_TRUE(s.waitFor(rigKeyed(true)));
    // The sound card hangs: no audio for longer than the stall limit.
    EXPECT_TRUE(s.waitFor(rigKeyed(false), 10s, false)) << "the watchdog unkeys the rig";
    EXPECT_TRUE(s.waitFor([&] { return !s.transmitting(); }, 10s, false));
    EXPECT_TRUE(s.station.dialogs.shown.empty());
  }
}

TEST(StationCat, RigctldKilledWhileKeyedDropsTheTransmissionAndOpenOrTestKeysAgain) {
  psk::test::Rigctld daemon;
  ASSERT_TRUE(daemon.running()) << daemon.problem();
  CatStation s(catIni(2, daemon.address()));
  s.station.press("Command3");
  ASSERT_TRUE(s.waitFor([&] { return s.station.form.state().radio.dialHz.has_value(); }));
  s.station.press("Command6");  // Tune
  ASSERT_TRUE(s.waitFor([&] { return daemon.ask("t") == "1"; }));

  daemon.kill();
  const auto killed = Clock::now();
  ASSERT_TRUE(s.waitFor([&] { return !s.transmitting(); })) << "the transmission is dropped";
  const auto dropped = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - killed);
  EXPECT_LT(dropped, 2s) << "dropped after " << dropped.count() << " ms";
  EXPECT_TRUE(s.waitFor([&] { return s.statusLine() == "PTT released: no answer"; }, 5s))
      << s.statusLine().toStdString();
  EXPECT_FALSE(s.portHeld());
  EXPECT_FALSE(s.station.form.state().radio.dialHz.has_value());
  EXPECT_TRUE(s.station.dialogs.shown.empty()) << "told in the status line, no box";

  // The window goes on working: a tune carrier without PTT, and off again.
  s.station.press("Command6");
  EXPECT_TRUE(s.waitFor([&] { return s.transmitting(); }));
  s.station.press("Command6");
  EXPECT_TRUE(s.waitFor([&] { return !s.transmitting(); }));

  // A new rigctld answers: "Test" in the Radio dialog keys it for a second.
  ASSERT_TRUE(daemon.start()) << daemon.problem();
  s.station.press("cmdRadio");
  auto* dialog = s.station.form.findChild<QDialog*>("frmRadio");
  ASSERT_NE(dialog, nullptr);
  QTest::mouseClick(dialog->findChild<QPushButton*>("cmdTest"), Qt::LeftButton);
  EXPECT_TRUE(daemon.awaitPtt(true)) << "Test keys the rig";
  auto* outcome = dialog->findChild<QLabel*>("lblTest");
  EXPECT_TRUE(s.waitFor([&] { return outcome->text().contains("as the radio confirms"); }, 15s))
      << outcome->text().toStdString();
  EXPECT_EQ(daemon.ask("t"), "0");
  QTest::mouseClick(dialog->findChild<QPushButton*>("cmdOK"), Qt::LeftButton);

  // And "Open" keys it for the next transmission.
  s.station.press("Command3");
  ASSERT_TRUE(s.portHeld());
  s.station.press("Command6");
  EXPECT_TRUE(s.waitFor([&] { return daemon.ask("t") == "1"; })) << "keyed again after Open";
  s.station.press("Command6");
  EXPECT_TRUE(s.waitFor([&] { return daemon.ask("t") == "0"; }));
}

TEST(StationCat, TheDialAndTheReceiveMarkersRfFrequencyShowOnUpperAndLowerSideband) {
  psk::test::Rigctld daemon;
  ASSERT_TRUE(daemon.running()) << daemon.problem();
  ASSERT_EQ(daemon.ask("F 14070000"), "RPRT 0");
  CatStation s(catIni(2, daemon.address()));
  const int marker = s.station.control<FrequencyScrollBar>("VScroll1")->frequency();
  struct Case {
    const char* mode;
    int64_t rf;
  };
  for (const Case& c : {Case{"USB", 14'070'000 + marker}, Case{"LSB", 14'070'000 - marker}}) {
    ASSERT_EQ(daemon.ask(std::string("M ") + c.mode + " 2400"), "RPRT 0");
    const QString expected = QString::fromStdString("14.070.000 " + std::string(c.mode) + "  RX " + dialText(c.rf));
    EXPECT_TRUE(s.waitFor([&] { return s.statusLine() == expected; }, 5s))
        << s.statusLine().toStdString() << " instead of " << expected.toStdString();
    EXPECT_EQ(s.station.form.state().radio.dialHz, 14'070'000);
    EXPECT_EQ(s.station.form.state().radio.mode, c.mode);
  }
}

}  // namespace
}  // namespace quillary::testing
