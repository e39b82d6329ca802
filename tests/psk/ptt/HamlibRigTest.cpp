// A rig that cannot be opened is lost at once, with a reason the operator
// can act on. (Keying, the dial and a rig that dies are shown with the
// window and psktool, against the dummy rig and a real rigctld.)
#include <gtest/gtest.h>

#include "psk/ptt/HamlibRig.h"

namespace quillary::psk::test {
namespace {

using namespace std::chrono_literals;

TEST(HamlibRig, ARigThatCannotBeOpenedIsLostWithItsReason) {
  const std::pair<RigConfig, const char*> unopened[] = {
      {{999'999, "", 0}, "hamlib knows no rig model 999999"},
      {{3073, "/dev/quillary-no-such-port", 19200}, "cannot open Icom IC-7300 at /dev/quillary-no-such-port"},
      {{2, "127.0.0.1:1", 0}, "cannot open Hamlib NET rigctl at 127.0.0.1:1"}};
  for (const auto& [config, reason] : unopened) {
    HamlibRig rig(config);
    EXPECT_FALSE(rig.awaitAnswer(10s)) << reason;
    EXPECT_FALSE(rig.answering()) << reason;
    EXPECT_NE(rig.snapshot().problem.find(reason), std::string::npos) << rig.snapshot().problem;
    rig.setPtt(true);
    EXPECT_FALSE(rig.awaitPtt(true, 1s)) << "a lost rig keys nothing";
  }
}

}  // namespace
}  // namespace quillary::psk::test
