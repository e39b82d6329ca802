#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <functional>
#include <QTest>

#include "link/HookTestSupport.h"
#include "support/ScrollBarParts.h"
#include "window/FrequencyScrollBar.h"

namespace quillary::testing {
namespace {

using ReceiveTuningControlsTest = LoadedWindowTest;

TEST_F(ReceiveTuningControlsTest, NetMakesTheTransmitFrequencyFollowTheReceiver) {
  c().VScroll1->setFrequency(1500);
  c().VScroll2->setFrequency(1500);
  h.modem.clearCalls();
  c().txtTX->setText("1000");
  clickScrollBarPart(*c().VScroll1, QStyle::SC_ScrollBarSubLine);
  EXPECT_EQ(c().txtRec->text() + "/" + c().txtTX->text(), "1501/1000");
  QTest::mouseClick(c().ckTXAFC, Qt::LeftButton);
  clickScrollBarPart(*c().VScroll1, QStyle::SC_ScrollBarAddLine);
  EXPECT_EQ(c().txtRec->text() + "/" + c().txtTX->text(), "1500/1500");
  EXPECT_EQ(h.modem.calls(), (Calls{"fnSetRXFrequency(1501,0,0)", "fnSetRXFrequency(1500,0,0)"}));
}

// The top of a frequency bar is the highest frequency.
TEST_F(ReceiveTuningControlsTest, FrequencyBarsMoveThumbValueAndFrequencyTheSameWay) {
  struct Move {
    const char* what;
    std::function<void(QScrollBar&)> act;
    bool down;
  };
  const Move moves[] = {
      {"down arrow", [](QScrollBar& b) { clickScrollBarPart(b, QStyle::SC_ScrollBarAddLine); }, true},
      {"up arrow", [](QScrollBar& b) { clickScrollBarPart(b, QStyle::SC_ScrollBarSubLine); }, false},
      {"trough below", [](QScrollBar& b) { clickScrollBarPart(b, QStyle::SC_ScrollBarAddPage); }, true},
      {"trough above", [](QScrollBar& b) { clickScrollBarPart(b, QStyle::SC_ScrollBarSubPage); }, false},
      {"wheel towards the operator", [](QScrollBar& b) { wheelScrollBar(b, true); }, true},
      {"wheel away", [](QScrollBar& b) { wheelScrollBar(b, false); }, false},
      {"down key", [](QScrollBar& b) { QTest::keyClick(&b, Qt::Key_Down); }, true},
      {"thumb dragged down", [](QScrollBar& b) { dragThumb(b, 6); }, true},
  };
  for (FrequencyScrollBar* bar : {c().VScroll1, c().VScroll2}) {
    QLineEdit* box = bar == c().VScroll1 ? c().txtRec : c().txtTX;
    bar->resize(bar->width(), 6000);  // two pixels a hertz: every step shows
    for (const Move& move : moves) {
      SCOPED_TRACE(bar->objectName().toStdString() + ": " + move.what);
      bar->setFrequency(1500);
      const int thumbBefore = scrollBarPart(*bar, QStyle::SC_ScrollBarSlider).top();
      move.act(*bar);
      const int thumbAfter = scrollBarPart(*bar, QStyle::SC_ScrollBarSlider).top();
      const int frequency = bar->frequency();
      EXPECT_EQ(frequency < 1500, move.down) << frequency;
      EXPECT_NE(frequency, 1500);
      EXPECT_EQ(thumbAfter > thumbBefore, move.down) << thumbBefore << " -> " << thumbAfter;
      EXPECT_EQ(box->text(), QString::number(frequency));
    }
  }
  EXPECT_EQ(h.modem.callsOf("fnSetRXFrequency").back(),
            "fnSetRXFrequency(" + std::to_string(c().VScroll1->frequency()) + ",0,0)");
}

TEST_F(ReceiveTuningControlsTest, ModeSquelchSmoothingAndBiasSendOnlyWhatTheyName) {
  choose(*c().Combo3, "QPSK63");
  choose(*c().Combo3, "PSK31");
  c().VScroll3->setValue(10);
  c().VScroll3->setValue(0);
  c().VScroll3->setValue(99);
  choose(*c().Combo1, "5");
  choose(*c().Combo2, "20");
  choose(*c().Combo2, "lots");
  EXPECT_EQ(h.modem.calls(), (Calls{"fnSetRXPSKMode(9,0)", "fnSetSquelchThreshold(89,0,0)",
                                    "fnSetSquelchThreshold(99,0,0)", "fnSetSquelchThreshold(0,0,0)",
                                    "fnSetFFTMode(5,100,1)", "fnSetFFTMode(5,100,20)"}));
  EXPECT_EQ(h.state().modeCode, 9);
}

}  // namespace
}  // namespace quillary::testing
