#include "modem/PlainTextReceiveArea.h"

#include <QPlainTextEdit>
#include <gtest/gtest.h>

#include "support/GuiTest.h"

namespace quillary {
namespace {

class PlainTextReceiveAreaTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { testing::ensureQtApplication(); }
  QPlainTextEdit box;
};

TEST_F(PlainTextReceiveAreaTest, LineEndsCountAsTwoCharacters) {
  box.setPlainText("Receive Area\r\n");
  PlainTextReceiveArea area(box);
  EXPECT_EQ(area.length(), 14);
  area.append("CQ");
  area.append("\r\n");
  EXPECT_EQ(area.length(), 18);
  EXPECT_EQ(box.toPlainText(), "Receive Area\nCQ\n");
  EXPECT_EQ(box.textCursor().position(), box.document()->characterCount() - 1);
  EXPECT_FALSE(box.document()->isUndoAvailable());
}

TEST_F(PlainTextReceiveAreaTest, RemoveLastAndKeepLastWorkAtTheEnd) {
  PlainTextReceiveArea area(box);
  area.append("abc");
  area.removeLast();
  EXPECT_EQ(box.toPlainText(), "ab");

  area.append("\r\nxy\r\nz");
  area.keepLast(4);  // "xy" CR LF "z" is five; the tail of four keeps "y\nz"
  EXPECT_EQ(box.toPlainText(), "y\nz");
  EXPECT_EQ(area.length(), 4);
  // A cut inside a line end keeps the whole line end.
  area.keepLast(2);
  EXPECT_EQ(box.toPlainText(), "\nz");
}

}  // namespace
}  // namespace quillary
