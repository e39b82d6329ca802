// The band's stations on a scripted band reader: found after a few looks,
// each on a channel of its own, text taken in, and let go (channel and
// all) when silent, merged or of another mode.
#include <gtest/gtest.h>

#include "band/StationTracker.h"
#include "support/RecordingBandModem.h"

namespace quillary::testing {
namespace {

std::vector<int32_t> channelsOf(const StationTracker& tracker) {
  std::vector<int32_t> channels;
  for (const BandStation& station : tracker.stations()) channels.push_back(station.channel);
  return channels;
}

TEST(StationTracker, AStationSeenThreeLooksIsReadOnItsOwnChannelUntilAMinuteOfSilence) {
  RecordingBandModem modem;
  StationTracker tracker(modem, modem, CodePage::Cp1252);
  modem.shown = {1000.4, 1500};
  tracker.look(0.0, kModeBpsk31);
  tracker.look(0.5, kModeBpsk31);
  EXPECT_TRUE(tracker.stations().empty()) << "a sighting is no station yet";
  tracker.look(1.0, kModeBpsk31);
  EXPECT_EQ(channelsOf(tracker), (std::vector<int32_t>{1, 2}));
  EXPECT_EQ(modem.calls()[0], "fnSetRXPSKMode(0,1)");
  EXPECT_EQ(modem.callsOf("fnSetRXFrequency")[0], "fnSetRXFrequency(1000,0,1)");
  EXPECT_EQ(modem.callsOf("fnSetAFCLimit")[0], "fnSetAFCLimit(31,1)") << "a baud: its own station, never the next";
  EXPECT_EQ(modem.callsOf("fnSetSquelchThreshold")[0], "fnSetSquelchThreshold(30,0,1)");

  modem.waiting[1] = "CQ de DL1ABC\r\n";
  modem.shown.clear();
  tracker.look(1.5, kModeBpsk31);
  EXPECT_EQ(tracker.stations()[0].text.calls(), QStringList{"DL1ABC"});
  tracker.look(11.0, kModeBpsk31);
  EXPECT_EQ(channelsOf(tracker), std::vector<int32_t>{1}) << "a sighting that never printed goes sooner";
  tracker.look(61.4, kModeBpsk31);
  EXPECT_EQ(channelsOf(tracker), std::vector<int32_t>{1});
  tracker.look(61.5, kModeBpsk31);
  EXPECT_TRUE(tracker.stations().empty());
  EXPECT_EQ(modem.released, (std::vector<int32_t>{2, 1}));
}

TEST(StationTracker, TwoChannelsOnOneStationBecomeOneAndANewModeStartsAfresh) {
  RecordingBandModem modem;
  StationTracker tracker(modem, modem, CodePage::Cp1252);
  modem.shown = {1000, 1020};
  for (double now : {0.0, 0.5, 1.0}) tracker.look(now, kModeBpsk31);
  ASSERT_EQ(channelsOf(tracker), (std::vector<int32_t>{1, 2}));
  modem.waiting[2] = "de G4XYZ";
  modem.tuned[2] = 1001;  // its AFC went over to the other station
  tracker.look(1.5, kModeBpsk31);
  EXPECT_EQ(channelsOf(tracker), std::vector<int32_t>{2}) << "the one that printed stays";
  tracker.look(2.0, kModeQpsk63);
  EXPECT_TRUE(tracker.stations().empty());
  EXPECT_EQ(modem.released, (std::vector<int32_t>{1, 2}));
}

}  // namespace
}  // namespace quillary::testing
