// The main window's layout: the real window following its size and
// "TX Button".
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QTest>
#include <gtest/gtest.h>

#include "app/Form1Design.h"
#include "support/Form1Harness.h"

namespace quillary::testing {
namespace {

using namespace form1design;

// A window loaded with a saved size of `width` x `height` in psk.ini.
struct LoadedWindow {
  LoadedWindow(int width, int height) {
    writeBytes(h.file("psk.ini"), "0\r\n0\r\n\"\"\r\n5\r\n\"50\"\r\n" + std::to_string(width) + "\r\n" +
                                      std::to_string(height) + "\r\n");
    h.load();
  }
  double y(int pixels) { return h.form().scale().yTwips(pixels); }
  double x(int pixels) { return h.form().scale().xTwips(pixels); }
  Form1Harness h;
};

TEST(WindowLayout, TxButtonShowsThePanelFiftyBelowAtTheSavedSizeAndHidesItAt5085By6165) {
  LoadedWindow w(7000, 9000);
  Form1Controls& c = w.h.controls();
  Form1& f = w.h.form();
  EXPECT_FALSE(c.Frame5->isVisible());
  EXPECT_NEAR(w.y(c.Term->height()), 6165 - kFrame2Height - 700, 15);
  EXPECT_NEAR(w.y(c.Frame2->y()), 6165 - kFrame2Height - 600, 15);
  EXPECT_NEAR(w.x(c.Frame2->width()), 5085 - 200, 15);

  QTest::mouseClick(c.Check3, Qt::LeftButton);
  ASSERT_TRUE(c.Check3->isChecked());
  EXPECT_TRUE(c.Frame5->isVisible());
  EXPECT_NEAR(f.heightTwips(), 9000, 15);
  EXPECT_NEAR(f.widthTwips(), 7000, 15);
  EXPECT_NEAR(w.y(c.Frame5->y()) - w.y(c.Frame2->y() + c.Frame2->height()), 50, 15);
  EXPECT_NEAR(w.x(c.Frame2->width()), 7000 - 350, 15);
  EXPECT_NEAR(w.x(c.Text5->width()), 7000 - 350 - 200, 15);
  EXPECT_NEAR(w.y(c.Term->height()), 9000 - kFrame2Height - 800 - kFrame5Height, 15);

  QTest::mouseClick(c.Check3, Qt::LeftButton);
  EXPECT_FALSE(c.Frame5->isVisible());
  EXPECT_NEAR(f.widthTwips(), 5085, 15);
  EXPECT_NEAR(f.heightTwips(), 6165, 15);
  EXPECT_NEAR(w.x(c.Frame2->width()), 5085 - 200, 15);

  // Below the minimum: 6500 x 8625, the room every button of the panel needs.
  LoadedWindow low(4000, 7000);
  QTest::mouseClick(low.h.controls().Check3, Qt::LeftButton);
  EXPECT_NEAR(low.h.form().heightTwips(), 8625, 15);
  EXPECT_NEAR(low.h.form().widthTwips(), 6500, 15);
}

TEST(WindowLayout, ShrinkingBelowTheLimitLeavesEveryControlAnOperatorResizeLaysOutAnew) {
  LoadedWindow w(6000, 9000);
  Form1Controls& c = w.h.controls();
  const QRect term = c.Term->geometry();
  const QRect frame2 = c.Frame2->geometry();
  const QRect frame5 = c.Frame5->geometry();
  w.h.form().setHeightTwips(kFrame2Height + 600);
  EXPECT_EQ(c.Term->geometry(), term);
  EXPECT_EQ(c.Frame2->geometry(), frame2);
  EXPECT_EQ(c.Frame5->geometry(), frame5);

  // The operator drags the window larger; the layout works on its outer
  // size, frame included.
  Form1& f = w.h.form();
  f.resize(f.scale().x(7000), f.scale().y(8000));
  QApplication::processEvents();
  ASSERT_GT(f.frameGeometry().width(), f.width()) << "the test platform draws a frame";
  EXPECT_NEAR(w.x(c.Term->width()), f.widthTwips() - 200, 15);
  EXPECT_NEAR(w.y(c.Term->height()), f.heightTwips() - kFrame2Height - 700, 15);
}

}  // namespace
}  // namespace quillary::testing
