// A rig on CAT through hamlib, as the station keys and reads it: hamlib's
// dummy rig in this process and behind a real rigctld. Waits are bounded
// in real time: the rig has a thread of its own.
#include <gtest/gtest.h>

#include "psk/ptt/HamlibRig.h"
#include "support/Rigctld.h"

namespace quillary::psk::test {
namespace {

using namespace std::chrono_literals;

// Until the rig reports PTT `keyed` back, at most ten seconds.
bool rigReports(const HamlibRig& rig, bool keyed) {
  const auto giveUp = std::chrono::steady_clock::now() + 10s;
  while (rig.snapshot().rigPtt != keyed && std::chrono::steady_clock::now() < giveUp)
    std::this_thread::sleep_for(10ms);
  return rig.snapshot().rigPtt == keyed;
}

TEST(HamlibRig, KeysUnkeysAndReadsTheDialOfTheDummyRigHereAndBehindRigctld) {
  Rigctld daemon;
  ASSERT_TRUE(daemon.running()) << daemon.problem();
  ASSERT_EQ(daemon.ask("F 14070000"), "RPRT 0");
  ASSERT_EQ(daemon.ask("M PKTUSB 3000"), "RPRT 0");
  struct Case {
    RigConfig config;
    int64_t dialHz;
    const char* mode;
  };
  // hamlib's dummy starts on 145 MHz FM.
  for (const Case& c : {Case{{1, "", 0}, 145'000'000, "FM"}, Case{{2, daemon.address(), 0}, 14'070'000, "PKTUSB"}}) {
    SCOPED_TRACE(c.config.model);
    HamlibRig rig(c.config);
    ASSERT_TRUE(rig.awaitAnswer(10s)) << rig.snapshot().problem;
    const auto giveUp = std::chrono::steady_clock::now() + 10s;
    while (!rig.snapshot().dialHz && std::chrono::steady_clock::now() < giveUp) std::this_thread::sleep_for(10ms);
    EXPECT_EQ(rig.snapshot().dialHz, c.dialHz);
    EXPECT_EQ(rig.snapshot().mode, c.mode);

    rig.setPtt(true);
    EXPECT_TRUE(rigReports(rig, true));
    if (c.config.model == 2) EXPECT_TRUE(daemon.awaitPtt(true)) << "rigctld's rig is keyed";
    rig.setPtt(false);
    EXPECT_TRUE(rigReports(rig, false));
    if (c.config.model == 2) EXPECT_TRUE(daemon.awaitPtt(false));
    rig.setPtt(true);
    EXPECT_TRUE(rigReports(rig, true));
  }
  EXPECT_TRUE(daemon.awaitPtt(false)) << "a rig let go while keyed is unkeyed";
}

TEST(HamlibRig, ARigThatCannotBeOpenedOrStopsAnsweringIsLostWithItsReason) {
  Rigctld daemon;
  ASSERT_TRUE(daemon.running()) << daemon.problem();
  const std::pair<RigConfig, const char*> unopened[] = {
      {{999'999, "", 0}, "hamlib knows no rig model 999999"},
      {{3073, "/dev/quillary-no-such-port", 19200}, "cannot open Icom IC-7300 at /dev/quillary-no-such-port"},
      {{2, "127.0.0.1:1", 0}, "cannot open Hamlib NET rigctl at 127.0.0.1:1"}};
  for (const auto& [config, reason] : unopened) {
    HamlibRig rig(config);
    EXPECT_FALSE(rig.awaitAnswer(10s)) << reason;
    EXPECT_FALSE(rig.answering()) << reason;
    EXPECT_NE(rig.snapshot().problem.find(reason), std::string::npos) << rig.snapshot().problem;
  }

  HamlibRig rig({2, daemon.address(), 0});
  ASSERT_TRUE(rig.awaitAnswer(10s)) << rig.snapshot().problem;
  rig.setPtt(true);
  ASSERT_TRUE(daemon.awaitPtt(true));
  daemon.kill();
  const auto giveUp = std::chrono::steady_clock::now() + 10s;
  while (rig.answering() && std::chrono::steady_clock::now() < giveUp) std::this_thread::sleep_for(10ms);
  EXPECT_FALSE(rig.answering()) << "a rigctld killed while keyed is noticed";
  EXPECT_NE(rig.snapshot().problem.find("stopped answering"), std::string::npos) << rig.snapshot().problem;
  EXPECT_FALSE(rig.snapshot().dialHz.has_value());
}

}  // namespace
}  // namespace quillary::psk::test
