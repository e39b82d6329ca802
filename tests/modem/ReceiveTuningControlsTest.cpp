// The receive tuning controls on the real window against the recording
// modem: mode, preset, receive and transmit frequency, NET, AFC, squelch,
// spectrum smoothing and bias.
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include "modem/HookTestSupport.h"

namespace quillary::testing {
namespace {

using ReceiveTuningControlsTest = LoadedWindowTest;

TEST_F(ReceiveTuningControlsTest, ModeAndPresetChoicesSendOnlyWhatTheyName) {
  choose(*c().Combo3, "QPSK63");
  choose(*c().Combo3, "PSK31");  // no mode of that name
  EXPECT_EQ(h.state().modeCode, 9);
  choose(*c().Combo6, "1400");
  choose(*c().Combo6, "1401");  // not a preset
  EXPECT_EQ(c().Command23->text(), "1400Hz");
  EXPECT_EQ(h.state().presetCentre, 1400);
  EXPECT_EQ(c().txtTX->text(), "1400");
  EXPECT_EQ(h.modem.calls(), (Calls{"fnSetRXPSKMode(9,0)", "fnSetRXFrequency(1400,0,0)"}));
}

TEST_F(ReceiveTuningControlsTest, NetMakesTheTransmitFrequencyFollowTheReceiver) {
  c().txtTX->setText("1000");
  c().VScroll1->setValue(1450);
  EXPECT_EQ(c().txtRec->text(), "1450");
  EXPECT_EQ(c().txtTX->text(), "1000");
  c().ckTXAFC->click();
  c().VScroll1->setValue(1400);
  EXPECT_EQ(c().txtRec->text(), "1400");
  EXPECT_EQ(c().txtTX->text(), "1400");
  EXPECT_EQ(h.modem.calls(), (Calls{"fnSetRXFrequency(1450,0,0)", "fnSetRXFrequency(1400,0,0)"}));
  c().VScroll2->setValue(900);
  EXPECT_EQ(c().txtTX->text(), "900");
}

TEST_F(ReceiveTuningControlsTest, AfcAndDoubleClickRetuneOnlyToANumber) {
  c().txtRec->setText("1550");
  c().ckRXAFC->click();  // off
  EXPECT_EQ(h.state().afc, 0);
  c().ckRXAFC->click();  // on
  EXPECT_EQ(h.state().afc, 1);
  c().txtRec->setText("abc");
  c().ckRXAFC->click();
  c().ckRXAFC->click();
  QTest::mouseDClick(c().txtRec, Qt::LeftButton);
  EXPECT_EQ(h.modem.calls(),
            (Calls{"fnSetAFCLimit(0,0)", "fnSetAFCLimit(500,0)", "fnSetRXFrequency(1550,0,0)",
                   "fnSetAFCLimit(0,0)", "fnSetAFCLimit(500,0)", "fnSetRXFrequency(1500,0,0)"}));
  EXPECT_EQ(c().txtRec->text(), "abc");
}

TEST_F(ReceiveTuningControlsTest, SquelchRunsFrom99AtTheTopTo0AtTheBottomSmoothingWithBias) {
  c().VScroll3->setValue(10);
  c().VScroll3->setValue(0);
  EXPECT_EQ(h.state().squelch, 99);
  c().VScroll3->setValue(99);
  EXPECT_EQ(h.state().squelch, 0);
  choose(*c().Combo1, "5");
  choose(*c().Combo2, "20");
  choose(*c().Combo2, "lots");
  EXPECT_EQ(h.modem.calls(), (Calls{"fnSetSquelchThreshold(89,0,0)", "fnSetSquelchThreshold(99,0,0)",
                                    "fnSetSquelchThreshold(0,0,0)", "fnSetFFTMode(5,100,1)",
                                    "fnSetFFTMode(5,100,20)"}));
}

}  // namespace
}  // namespace quillary::testing
