// A macro on the air: one main window writes a CQ macro in the editor and
// sends it with its button on a real engine; the other window's engine
// decodes it, and its operator takes the call with a double click and is
// shown the name from the name log.
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

#include "app/Form1.h"
#include "macros/MacroEditor.h"
#include "psk/audio/InProcessChannel.h"
#include "support/OnAirStation.h"
#include "support/OperatorInput.h"

namespace quillary {
namespace {

using psk::InProcessChannel;
using testing::OnAirStation;

TEST(MacroCallOnAir, AMacroSentByOneWindowIsCapturedByTheOtherWhichFindsTheName) {
  testing::ensureQtApplication();
  InProcessChannel band(0.01, 5);
  OnAirStation sender(band.stationA());
  OnAirStation receiver(band.stationB());
  testing::writeBytes(receiver.folder.path() / "name.txt", "N0CALL,Taro\r\n");
  testing::writeBytes(receiver.folder.path() / "name.ini",
                      (receiver.folder.path() / "name.txt").string() + "\r\n");
  sender.form.show();
  receiver.form.show();
  receiver.control<QScrollBar>("VScroll3")->setValue(99 - 30);

  // The sender's operator: own call, the receiver's frequency, and macro 1
  // written in the editor. The blanks after the tokens are the characters
  // the expansion drops.
  QTest::mouseClick(sender.control<QCheckBox>("Check3"), Qt::LeftButton);
  sender.form.setWidthTwips(7000);
  testing::retype(sender.control<QLineEdit>("Text4"), "N0CALL");
  testing::retype(sender.control<QLineEdit>("txtTX"), "1600");
  QTest::mouseClick(sender.control<QPushButton>("Command8"), Qt::LeftButton);
  MacroEditor* editor = openMacroEditor(sender.form.context());
  ASSERT_NE(editor, nullptr);
  editor->Text1[0]->selectAll();
  QTest::keyClicks(editor->Text1[0], "<TX> CQ de <MY> <RX>");
  editor->close();
  QTest::mouseClick(sender.control<QPushButton>("Command9_0"), Qt::LeftButton);

  ASSERT_TRUE(testing::pumpUntilTransmissionEnds(band, sender.form)) << "the macro's <RX> did not unkey";

  auto* term = receiver.control<QPlainTextEdit>("Term");
  ASSERT_TRUE(term->toPlainText().endsWith("CQ de  N0CALL  ")) << term->toPlainText().toStdString();
  testing::doubleClickOnWord(*term, "N0CALL");
  EXPECT_EQ(receiver.control<QLineEdit>("Text27")->text(), "N0CALL");
  EXPECT_EQ(receiver.control<QLineEdit>("Text6")->text(), "Taro");
  EXPECT_EQ(receiver.form.state().hisName, "Taro");
  sender.form.close();
  receiver.form.close();
}

}  // namespace
}  // namespace quillary
