// The comm port button: opens the typed port in the modem, shows the held
// port in light red, releases the port it opened.
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "app/CommPort.h"
#include "support/Form1Harness.h"

namespace quillary::testing {
namespace {

const QColor kLightRed(255, 192, 192);

class CommPortTest : public ::testing::Test {
 protected:
  void SetUp() override {
    h.load();
    // The transmit panel is where the button is.
    h.controls().Check3->click();
    h.modem.clearCalls();
  }
  void press(const char* comboText) {
    if (comboText) h.controls().Combo5->setEditText(QString::fromLatin1(comboText));
    QTest::mouseClick(h.controls().Command3, Qt::LeftButton);
  }
  QColor buttonColour() { return h.controls().Command3->palette().color(QPalette::Button); }

  Form1Harness h;
};

TEST_F(CommPortTest, NumbersBelowOneAndWordsAskForAPortNumber) {
  for (const char* text : {"0", "0.5", "-3", "COM", ""}) {
    SCOPED_TRACE(text);
    h.dialogs.shown.clear();
    press(text);
    EXPECT_EQ(h.dialogs.texts(), QStringList({"Select Comm Port No"}));
    EXPECT_EQ(h.dialogs.shown[0].buttons, Dialogs::Buttons::Ok);
    EXPECT_EQ(h.state().commPort.open, 0);
  }
  EXPECT_TRUE(h.modem.calls().empty());
}

TEST_F(CommPortTest, AnAcceptedPortIsHeldInLightRedAndReleasedByTheNextPress) {
  h.modem.answer("fnSetComPort", 1);
  const QColor face = buttonColour();
  press("3");
  EXPECT_EQ(h.modem.calls(), std::vector<std::string>{"fnSetComPort(3,3)"});
  EXPECT_EQ(buttonColour(), kLightRed);
  EXPECT_EQ(h.state().commPort.open, 1);
  EXPECT_EQ(h.state().commPort.pttMode, 3);
  EXPECT_TRUE(h.dialogs.shown.empty());
  press(nullptr);
  EXPECT_EQ(h.modem.calls(), (std::vector<std::string>{"fnSetComPort(3,3)", "fnSetComPort(3,0)"}));
  EXPECT_EQ(buttonColour(), face);
  EXPECT_EQ(h.state().commPort.open, 0);
  EXPECT_EQ(h.controls().Command3->text(), "Open");
}

TEST_F(CommPortTest, ARefusedPortSaysSoAndTheNextPressTriesAgain) {
  h.modem.answerOnce("fnSetComPort", {0, 1});
  press("5");
  EXPECT_EQ(h.dialogs.texts(), QStringList({"Wrong Comm Port No"}));
  EXPECT_EQ(h.state().commPort.open, 0);
  EXPECT_NE(buttonColour(), kLightRed);
  press(nullptr);
  EXPECT_EQ(h.modem.calls(), (std::vector<std::string>{"fnSetComPort(5,3)", "fnSetComPort(5,3)"}));
  EXPECT_EQ(h.state().commPort.open, 1);
}

TEST_F(CommPortTest, HalvesGoToTheEvenPortAndLeadingNumbersCount) {
  h.modem.answer("fnSetComPort", 1);
  press("2.5");
  press(nullptr);
  press("3.5");
  press(nullptr);
  press("7 (USB)");
  EXPECT_EQ(h.modem.calls(),
            (std::vector<std::string>{"fnSetComPort(2,3)", "fnSetComPort(2,0)", "fnSetComPort(4,3)",
                                      "fnSetComPort(4,0)", "fnSetComPort(7,3)"}));
}

TEST_F(CommPortTest, AChangedNumberWhileHeldReleasesThePortThatWasOpened) {
  h.modem.answer("fnSetComPort", 1);
  press("3");
  press("6");
  EXPECT_EQ(h.modem.calls(), (std::vector<std::string>{"fnSetComPort(3,3)", "fnSetComPort(3,0)"}));
}

TEST_F(CommPortTest, ANumberTooLargeForAPortIsRefusedWithoutCallingTheModem) {
  press("99999");
  EXPECT_EQ(h.dialogs.texts(), QStringList({"Wrong Comm Port No"}));
  EXPECT_TRUE(h.modem.calls().empty());
}

}  // namespace
}  // namespace quillary::testing
