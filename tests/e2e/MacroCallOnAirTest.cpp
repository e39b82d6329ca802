// A macro written in the editor, sent by its button on a real engine and
// decoded, expanded, by another window's engine.
#include <gtest/gtest.h>

#include "macros/MacroEditor.h"
#include "psk/audio/InProcessChannel.h"
#include "support/OnAirStation.h"

namespace quillary::testing {
namespace {

TEST(MacroCallOnAir, AMacroWrittenInTheEditorIsSentByItsButtonAndReceivedExpanded) {
  psk::InProcessChannel band(0.01, 5);
  OnAirStation sender(band.stationA()), receiver(band.stationB());
  sender.show();
  receiver.show();
  sender.readyToTransmit("N0CALL", "1600");

  // The blanks after the tokens are dropped by the expansion.
  sender.press("Command8");
  MacroEditor* editor = openMacroEditor(sender.form.context());
  editor->Text1[0]->selectAll();
  QTest::keyClicks(editor->Text1[0], "<TX> CQ de <MY> <RX>");
  editor->close();
  sender.press("Command9_0");
  ASSERT_TRUE(pumpUntilTransmissionEnds(band, sender.form)) << "the macro's <RX> did not unkey";

  EXPECT_TRUE(receiver.received().endsWith("CQ de  N0CALL  ")) << receiver.received().toStdString();
}

}  // namespace
}  // namespace quillary::testing
