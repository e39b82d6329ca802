// The comm port button: opens the typed port in the modem, shows the held
// port in light red, releases the port it opened.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
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
    h.controls().Check3->click();  // the transmit panel holds the button
    h.modem.clearCalls();
  }
  void press(const char* comboText = nullptr) {
    if (comboText) h.controls().Combo5->setEditText(QString::fromLatin1(comboText));
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

// CAT and VOX need no port number: "Open" keys through the radio link, and
// a port the modem had to let go of loses its red at the next tick.
TEST_F(CommPortTest, WithCatOrVoxOpenHoldsTheRadioWhateverTheNumberAndADroppedPortIsShown) {
  h.radio.configure({PttMethod::Vox, 2, "", 0});
  press("0");
  EXPECT_TRUE(lightRed());
  EXPECT_EQ(h.radio.holds, 1);
  h.radio.answer.pttDrops = 1;
  EXPECT_TRUE(QTest::qWaitFor([&] { return !lightRed(); }, 3000)) << "the 1000 ms tick";
  EXPECT_EQ(h.controls().lblRadio->text(), "PTT released: no answer");
  h.radio.holdAnswer = false;
  h.radio.configure({PttMethod::Cat, 2, "shack:4532", 0});
  press();
  EXPECT_FALSE(lightRed());
  EXPECT_EQ(h.state().commPort.open, 0);
  EXPECT_TRUE(h.dialogs.shown.empty()) << "the status line says why";
  EXPECT_TRUE(h.modem.callsOf("fnSetComPort").empty());
}

}  // namespace
}  // namespace quillary::testing
