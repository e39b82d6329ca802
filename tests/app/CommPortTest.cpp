// The comm port button: opens the typed port in the modem, shows the held
// port in light red, releases the port it opened.
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "support/Form1Harness.h"

namespace quillary::testing {
namespace {

using Calls = std::vector<std::string>;

class CommPortTest : public ::testing::Test {
 protected:
  void SetUp() override {
    h.load();
    QTest::mouseClick(h.controls().Check3, Qt::LeftButton);  // the transmit panel holds the button
    h.modem.clearCalls();
  }
  void press(const char* comboText = nullptr) {
    if (comboText) typeInto(h.controls().Combo5, QString::fromLatin1(comboText));
    QTest::mouseClick(h.controls().Command3, Qt::LeftButton);
  }
  bool lightRed() { return h.controls().Command3->palette().color(QPalette::Button) == QColor(255, 192, 192); }

  Form1Harness h;
};

TEST_F(CommPortTest, NumbersBelowOneAndWordsAskForAPortNumberTooLargeOnesAreWrong) {
  for (const char* text : {"0.5", "COM", "99999"}) {
    SCOPED_TRACE(text);
    h.dialogs.shown.clear();
    press(text);
    const bool tooLarge = std::string(text) == "99999";
    EXPECT_EQ(h.dialogs.texts(), QStringList({tooLarge ? "Wrong Comm Port No" : "Select Comm Port No"}));
    EXPECT_EQ(h.state().commPort.open, 0);
  }
  EXPECT_TRUE(h.modem.calls().empty());
}

TEST_F(CommPortTest, ARefusedPortIsTriedAgainAHeldOneShowsLightRedUntilReleasedOrChanged) {
  h.modem.answer("fnSetComPort", 1);
  h.modem.answerOnce("fnSetComPort", {0});
  press("5");
  EXPECT_EQ(h.dialogs.texts(), QStringList({"Wrong Comm Port No"}));
  EXPECT_FALSE(lightRed());
  press();
  EXPECT_TRUE(lightRed());
  press();
  EXPECT_FALSE(lightRed());
  // Halves go to the even port; a changed port releases the one held.
  press("2.5");
  press();
  press("3.5");
  press("7 (USB)");
  press();
  EXPECT_EQ(h.modem.calls(), (Calls{"fnSetComPort(5,3)", "fnSetComPort(5,3)", "fnSetComPort(5,0)",
                                    "fnSetComPort(2,3)", "fnSetComPort(2,0)", "fnSetComPort(4,3)",
                                    "fnSetComPort(4,0)", "fnSetComPort(7,3)"}));
}

}  // namespace
}  // namespace quillary::testing
