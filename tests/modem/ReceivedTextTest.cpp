// The receive rules on a plain string area, for what the window tests do
// not reach: the line buffer beside what is shown, and the pending lead byte.
#include "modem/ReceivedText.h"

#include <initializer_list>

#include <QStringList>
#include <gtest/gtest.h>

namespace quillary {
namespace {

class StringArea final : public ReceiveArea {
 public:
  qsizetype length() const override { return text.size(); }
  void keepLast(qsizetype count) override { text = text.right(count); }
  void append(const QString& more) override { text += more; }
  void removeLast() override { text.chop(1); }
  QString text;
};

TEST(ReceivedText, LineBufferAndPendingLeadByte) {
  ReceivedText rules{CodePage::Cp1252};
  StringArea area;
  QStringList lines;
  auto feed = [&](std::initializer_list<int> values, bool kanji, int lParam = 0) {
    for (int value : values) {
      if (auto line = rules.take(value, lParam, kanji, area)) lines << *line;
    }
  };
  feed({'A', 'B', 0x88}, true);
  EXPECT_EQ(area.text, "AB");  // nothing shown for the lead byte yet
  EXPECT_EQ(rules.pendingLeadByte(), 0x88);
  feed({256, -1, 'C'}, true, 0x7E9);  // dropped: the lead byte waits on
  EXPECT_EQ(rules.pendingLeadByte(), 0x88);
  feed({8, 0x9F}, true);
  EXPECT_EQ(rules.line(), "AB" + QString::fromUtf8("\xE4\xBA\x9C"));  // backspace spares the line
  EXPECT_EQ(rules.pendingLeadByte(), 0);
  feed({0x88, 10, 'Z'}, true);  // a lead byte before LF is lost too
  EXPECT_EQ(area.text, "A" + QString::fromUtf8("\xE4\xBA\x9C") + "Z");
  EXPECT_TRUE(lines.isEmpty());
  feed({13}, false);
  EXPECT_EQ(lines, QStringList{"AB" + QString::fromUtf8("\xE4\xBA\x9C") + "Z"});
  EXPECT_TRUE(rules.line().isEmpty());
}

}  // namespace
}  // namespace quillary
