// A restored position that is on no screen is brought back where the
// operator can reach the window; one that is on a screen is kept.
#include <QGuiApplication>
#include <QScreen>
#include <gtest/gtest.h>

#include "app/ScreenPlacement.h"
#include "support/Form1Harness.h"

namespace quillary::testing {
namespace {

TEST(ScreenPlacement, APositionOnAScreenIsKeptOneOnNoScreenMovedOntoTheFirst) {
  const QList<QRect> two = {QRect(0, 0, 1920, 1040), QRect(1920, 0, 1280, 1024)};
  EXPECT_EQ(reachablePosition(QRect(100, 200, 339, 411), two), QPoint(100, 200));
  EXPECT_EQ(reachablePosition(QRect(3100, 900, 339, 411), two), QPoint(3100, 900));  // partly beyond
  const QList<QRect> one = {QRect(0, 0, 1920, 1040)};
  EXPECT_EQ(reachablePosition(QRect(5000, 3000, 339, 411), one), QPoint(1920 - 339, 1040 - 411));
  EXPECT_EQ(reachablePosition(QRect(-500, 100, 339, 411), one), QPoint(0, 100));
  EXPECT_EQ(reachablePosition(QRect(5000, 5000, 3000, 3000), one), QPoint(0, 0));  // larger than it
  EXPECT_EQ(reachablePosition(QRect(5000, 5000, 30, 30), {}), QPoint(5000, 5000));
}

TEST(ScreenPlacement, ARestoredPositionFarOffTheScreenIsBroughtBackAtLoad) {
  Form1Harness h;
  writeBytes(h.file("psk.ini"), "90000\r\n120000\r\n");
  h.load();
  const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
  const QRect frame = h.form().frameGeometry();
  EXPECT_TRUE(area.contains(frame.topLeft()));
  // Nearly all of it shows (the platform's frame may add a few pixels).
  const QRect shown = area.intersected(frame);
  EXPECT_GT(shown.width() * shown.height(), 0.95 * frame.width() * frame.height());
}

}  // namespace
}  // namespace quillary::testing
