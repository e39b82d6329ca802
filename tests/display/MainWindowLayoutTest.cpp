#include <QCheckBox>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QTest>
#include <gtest/gtest.h>

#include "support/Form1Harness.h"
#include "window/Form1Design.h"

namespace quillary::testing {
namespace {

using namespace form1design;

TEST(WindowLayout, TxButtonShowsThePanelAtTheSavedSizeNeverBelowItsMinimumAndHidesItAt5085By6165) {
  for (const auto& [width, height, shownWidth, shownHeight] :
       {std::tuple{7000, 9000, 7000, 9000}, {4000, 7000, 6500, 8625}}) {
    Form1Harness h;
    writeBytes(h.file("psk.ini"), "0\r\n0\r\n\"\"\r\n5\r\n\"50\"\r\n" + std::to_string(width) + "\r\n" +
                                      std::to_string(height) + "\r\n");
    h.load();
    Form1Controls& c = h.controls();
    Form1& f = h.form();
    auto y = [&](int pixels) { return f.scale().yTwips(pixels); };
    QTest::mouseClick(c.Check3, Qt::LeftButton);
    EXPECT_TRUE(c.Frame5->isVisible());
    EXPECT_NEAR(f.widthTwips(), shownWidth, 15);
    EXPECT_NEAR(f.heightTwips(), shownHeight, 15);
    EXPECT_NEAR(y(c.Frame5->y()) - y(c.Frame2->y() + c.Frame2->height()), 50, 15);
    EXPECT_NEAR(y(c.Term->height()), shownHeight - kFrame2Height - 800 - kFrame5Height, 15);

    QTest::mouseClick(c.Check3, Qt::LeftButton);
    EXPECT_FALSE(c.Frame5->isVisible());
    EXPECT_NEAR(f.widthTwips(), 5085, 15);
    EXPECT_NEAR(f.heightTwips(), 6165, 15);
    EXPECT_NEAR(f.scale().xTwips(c.Frame2->width()), 5085 - 200, 15);
  }
}

}  // namespace
}  // namespace quillary::testing
