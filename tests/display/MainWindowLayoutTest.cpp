// The main window's layout: the plain rules, and the real window following
// its size and "TX Button".
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QTest>
#include <gtest/gtest.h>

#include "app/Form1Design.h"
#include "display/MainWindowLayout.h"
#include "support/Form1Harness.h"

namespace quillary::testing {
namespace {

using namespace form1design;

TEST(MainWindowLayoutRules, PanelHiddenGivesTheReceiveAreaAllButTheControlPanel) {
  const auto p = mainWindowLayout({6000, 7000, 4000, 2800, false});
  ASSERT_TRUE(p);
  EXPECT_EQ(p->termWidth, 5800);
  EXPECT_EQ(p->termHeight, 2300);
  EXPECT_EQ(p->frame2Top, 2400);
  EXPECT_EQ(p->frame2Width, 5800);
  EXPECT_FALSE(p->frame5Top);
  EXPECT_EQ(p->frame5Width, 5650);
  EXPECT_EQ(p->text5Width, 5450);
}

TEST(MainWindowLayoutRules, PanelShownStacksItFiftyBelowTheControlPanel) {
  const auto p = mainWindowLayout({6000, 9000, 4000, 2800, true});
  ASSERT_TRUE(p);
  EXPECT_EQ(p->termHeight, 9000 - 4000 - 800 - 2800);
  EXPECT_EQ(p->frame2Top, 9000 - 4000 - 700 - 2800);
  EXPECT_EQ(*p->frame5Top, p->frame2Top + 4000 + 50);
  EXPECT_EQ(p->frame2Width, 5650);
  EXPECT_EQ(p->frame5Width, 5650);
}

TEST(MainWindowLayoutRules, TooLowAWindowChangesNothing) {
  EXPECT_FALSE(mainWindowLayout({6000, 4700, 4000, 2800, false}));
  EXPECT_TRUE(mainWindowLayout({6000, 4701, 4000, 2800, false}));
  // With the panel shown the same limit holds, though the receive area would
  // then be negative: that size is skipped when applied.
  const auto p = mainWindowLayout({6000, 5000, 4000, 2800, true});
  ASSERT_TRUE(p);
  EXPECT_LT(p->termHeight, 0);
}

TEST(MainWindowLayoutRules, TransmitButtonSizes) {
  EXPECT_EQ(transmitButtonWindowSize(true, 6000, 9000).height, 9000);
  EXPECT_EQ(transmitButtonWindowSize(true, 6000, 9000).width, 6000);
  EXPECT_EQ(transmitButtonWindowSize(true, 0, 7000).height, 8625);
  EXPECT_EQ(transmitButtonWindowSize(true, 0, 7000).width, 5085);
  EXPECT_EQ(transmitButtonWindowSize(false, 9000, 9000).width, 5085);
  EXPECT_EQ(transmitButtonWindowSize(false, 9000, 9000).height, 6165);
}

class WindowLayoutTest : public ::testing::Test {
 protected:
  void SetUp() override {
    writeBytes(h.file("psk.ini"), "0\r\n0\r\n\"\"\r\n5\r\n\"50\"\r\n" + std::to_string(savedWidth) +
                                      "\r\n" + std::to_string(savedHeight) + "\r\n");
    h.load();
  }
  double twipsY(int pixels) { return h.form().scale().yTwips(pixels); }
  double twipsX(int pixels) { return h.form().scale().xTwips(pixels); }
  QRect geometryOf(QWidget* w) { return w->geometry(); }

  int savedWidth = 6000;
  int savedHeight = 9000;
  Form1Harness h;
};

TEST_F(WindowLayoutTest, AtStartTheReceiveAreaFillsTheSpaceAboveTheControlPanel) {
  Form1Controls& c = h.controls();
  EXPECT_NEAR(twipsY(c.Term->height()), 6165 - kFrame2Height - 700, 15);
  EXPECT_NEAR(twipsX(c.Term->width()), 5085 - 200, 15);
  EXPECT_NEAR(twipsY(c.Frame2->y()), 6165 - kFrame2Height - 600, 15);
  EXPECT_NEAR(twipsX(c.Frame2->width()), 5085 - 200, 15);
  EXPECT_NEAR(twipsY(c.Frame2->height()), kFrame2Height, 15);
}

TEST_F(WindowLayoutTest, CheckingTxButtonShowsThePanelAtTheSavedSize) {
  Form1Controls& c = h.controls();
  QTest::mouseClick(c.Check3, Qt::LeftButton);
  ASSERT_TRUE(c.Check3->isChecked());
  EXPECT_TRUE(c.Frame5->isVisible());
  EXPECT_NEAR(h.form().heightTwips(), 9000, 15);
  EXPECT_NEAR(h.form().widthTwips(), 6000, 15);
  // Frame5 starts 50 below the bottom of Frame2.
  EXPECT_NEAR(twipsY(c.Frame5->y()) - twipsY(c.Frame2->y() + c.Frame2->height()), 50, 15);
  EXPECT_NEAR(twipsX(c.Frame2->width()), 6000 - 350, 15);
  EXPECT_NEAR(twipsX(c.Text5->width()), 6000 - 350 - 200, 15);
  EXPECT_NEAR(twipsY(c.Term->height()), 9000 - kFrame2Height - 800 - kFrame5Height, 15);
  EXPECT_NEAR(twipsY(c.Frame5->height()), kFrame5Height, 15);

  QTest::mouseClick(c.Check3, Qt::LeftButton);
  EXPECT_FALSE(c.Frame5->isVisible());
  EXPECT_NEAR(h.form().widthTwips(), 5085, 15);
  EXPECT_NEAR(h.form().heightTwips(), 6165, 15);
  EXPECT_NEAR(twipsX(c.Frame2->width()), 5085 - 200, 15);
}

class LowSavedSizeTest : public WindowLayoutTest {
 protected:
  LowSavedSizeTest() { savedWidth = 4000, savedHeight = 7000; }
};

TEST_F(LowSavedSizeTest, ASavedSizeBelowTheMinimumGives5085By8625) {
  QTest::mouseClick(h.controls().Check3, Qt::LeftButton);
  EXPECT_NEAR(h.form().heightTwips(), 8625, 15);
  EXPECT_NEAR(h.form().widthTwips(), 5085, 15);
}

TEST_F(WindowLayoutTest, ShrinkingBelowTheLimitLeavesEveryControlWhereItWas) {
  Form1Controls& c = h.controls();
  const QRect term = c.Term->geometry();
  const QRect frame2 = c.Frame2->geometry();
  const QRect frame5 = c.Frame5->geometry();
  h.form().setHeightTwips(kFrame2Height + 600);
  EXPECT_EQ(c.Term->geometry(), term);
  EXPECT_EQ(c.Frame2->geometry(), frame2);
  EXPECT_EQ(c.Frame5->geometry(), frame5);
  // Growing again lays the window out anew.
  h.form().setHeightTwips(7000);
  EXPECT_NEAR(twipsY(c.Term->height()), 7000 - kFrame2Height - 700, 15);
}

TEST_F(WindowLayoutTest, AnOperatorResizeRunsTheLayout) {
  Form1Controls& c = h.controls();
  h.form().resize(h.form().scale().x(7000), h.form().scale().y(8000));
  QApplication::processEvents();
  EXPECT_NEAR(twipsX(c.Term->width()), 7000 - 200, 15);
  EXPECT_NEAR(twipsY(c.Term->height()), 8000 - kFrame2Height - 700, 15);
}

}  // namespace
}  // namespace quillary::testing
