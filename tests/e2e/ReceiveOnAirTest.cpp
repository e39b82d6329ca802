// The main window on the real engine, with a second engine as the other
// station on a simulated band: what the other station sends must reach the
// receive area and the last-line box, show on the spectrum, and be found and
// held by the signal search.
#include <QCheckBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <array>
#include <gtest/gtest.h>

#include "app/Form1.h"
#include "psk/PskEngine.h"
#include "psk/audio/InProcessChannel.h"
#include "support/EngineTestSupport.h"
#include "support/FakeDialogs.h"
#include "support/GuiTest.h"

namespace quillary {
namespace {

using psk::InProcessChannel;
using psk::PskEngine;
using psk::test::PumpedDevices;
using psk::test::RecordingWindow;

constexpr std::size_t kBlock = 256;
constexpr int kOtherFrequency = 1580;

class ReceiveOnAir : public ::testing::Test {
 protected:
  ReceiveOnAir()
      : band_(0.01, 11),
        ourDevices_({&band_.stationA()}),
        theirDevices_({&band_.stationB()}),
        ours_(ourDevices_),
        theirs_(theirDevices_) {
    testing::ensureQtApplication();
  }

  // Audio for `seconds`, with the window's events handled after each block
  // as the program's event loop would, and Timer1 ticking once a second.
  void pump(Form1& form, double seconds) {
    const auto blocks = static_cast<std::size_t>(seconds * 8000 / kBlock);
    auto* timer1 = control<QTimer>(form, "Timer1");
    for (std::size_t i = 0; i < blocks; ++i) {
      band_.pump(kBlock);
      QCoreApplication::sendPostedEvents();
      samples_ += kBlock;
      if (samples_ % 8000 < kBlock && timer1->isActive()) QMetaObject::invokeMethod(timer1, "timeout");
    }
  }

  void otherStationSends(const std::string& text) {
    ASSERT_EQ(theirs_.fnStartSoundCard(&theirWindow_, 0, 1), 0);
    theirs_.fnSetTXFrequency(kOtherFrequency);
    theirs_.fnStartTX(kModeBpsk31);
    theirs_.fnSendTXString(text);
    theirs_.fnStopTX();
  }

  template <class W>
  W* control(Form1& form, const char* name) {
    return form.findChild<W*>(QString::fromLatin1(name));
  }

  InProcessChannel band_;
  PumpedDevices ourDevices_;
  PumpedDevices theirDevices_;
  PskEngine ours_;
  PskEngine theirs_;
  RecordingWindow theirWindow_;
  testing::FakeDialogs dialogs_;
  testing::TempFolder folder_;
  std::size_t samples_ = 0;
};

TEST_F(ReceiveOnAir, AnotherStationsPictureCommandIsReceivedShownAndHeld) {
  Form1 form(ours_, dialogs_, folder_.path(), 0);
  form.show();
  auto* term = control<QPlainTextEdit>(form, "Term");
  ASSERT_EQ(term->toPlainText(), QStringLiteral("Card Opened "));

  // A squelch the noise of the quiet band stays under; "Search" on, hunting
  // around the preset centre 1600 before anyone calls.
  control<QScrollBar>(form, "VScroll3")->setValue(99 - 30);
  auto* search = control<QCheckBox>(form, "Check2");
  QTest::mouseClick(search, Qt::LeftButton);
  ASSERT_TRUE(search->isChecked());
  pump(form, 2.0);
  EXPECT_EQ(form.state().searchState, 2);

  otherStationSends("CQ CQ CQ de N0CALL\r\n:N0CALL/PHOTO\r\n");
  pump(form, 4.0);

  // The spectrum's strongest bin near the preset is the other station (its
  // reversals and varicode stand within half the baud rate of its carrier),
  // and the search has tuned to it and holds it.
  std::array<int32_t, kSpectrumBins> bins{};
  ours_.fnGetFFTData(bins.data(), 256, 512);
  const auto strongest = std::max_element(bins.begin() + 256, bins.begin() + 513) - bins.begin();
  EXPECT_NEAR(strongest * 3.90625, kOtherFrequency, 20.0);
  EXPECT_NEAR(ours_.fnGetRXFrequency(0), kOtherFrequency, 4);
  EXPECT_EQ(form.state().searchState, 1) << "the search holds the signal it found";
  EXPECT_TRUE(control<QWidget>(form, "Picture4_0")->isVisibleTo(&form));

  pump(form, 20.0);  // the rest of the transmission, and a quiet band again
  ASSERT_EQ(theirWindow_.transmitStates(), (std::vector<int32_t>{1, 0}));

  EXPECT_TRUE(term->toPlainText().contains(QStringLiteral("CQ de N0CALL\n:N0CALL/PHOTO\n")))
      << term->toPlainText().toStdString();
  EXPECT_EQ(control<QLineEdit>(form, "Text3")->text(), QStringLiteral(":N0CALL/PHOTO"));
  // With the band quiet again the search has let go and hunts.
  EXPECT_EQ(form.state().searchState, 2);
  form.close();
}

}  // namespace
}  // namespace quillary
