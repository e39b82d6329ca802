#include "modem/ReceivedText.h"

#include <initializer_list>

#include <QStringList>
#include <gtest/gtest.h>

namespace quillary {
namespace {

// The receive area as a plain string: one QChar per character.
class StringArea final : public ReceiveArea {
 public:
  explicit StringArea(QString text = {}) : text(std::move(text)) {}
  qsizetype length() const override { return text.size(); }
  void keepLast(qsizetype count) override { text = text.right(count); }
  void append(const QString& more) override { text += more; }
  void removeLast() override { text.chop(1); }
  QString text;
};

struct Feed {
  ReceivedText rules{CodePage::Cp1252};
  StringArea area;
  QStringList lines;
  bool kanji = false;

  void bytes(std::initializer_list<int> values, int lParam = 0) {
    for (int value : values) {
      if (auto line = rules.take(value, lParam, kanji, area)) lines << *line;
    }
  }
};

const QString kKanjiA = QString::fromUtf8("\xE4\xBA\x9C");  // 0x88 0x9F in CP932

TEST(ReceivedText, KanjiPairShowsOneCharacterOnlyInKanjiMode) {
  Feed on;
  on.kanji = true;
  on.bytes({'A', 0x88});
  EXPECT_EQ(on.area.text, "A");  // nothing shown for the lead byte yet
  EXPECT_EQ(on.rules.pendingLeadByte(), 0x88);
  on.bytes({0x9F});
  EXPECT_EQ(on.area.text, "A" + kKanjiA);
  EXPECT_EQ(on.rules.line(), "A" + kKanjiA);
  EXPECT_EQ(on.rules.pendingLeadByte(), 0);

  Feed off;
  off.bytes({0x88, 0x9F});
  EXPECT_EQ(off.area.text, QString::fromUtf8("\xCB\x86\xC5\xB8"));  // CP1252: circumflex, Y diaeresis
  EXPECT_EQ(off.rules.line().size(), 2);
}

TEST(ReceivedText, LeadByteBeforeLineEndIsLost) {
  Feed feed;
  feed.kanji = true;
  feed.bytes({'O', 'K', 0x88, 13});
  EXPECT_EQ(feed.area.text, "OK\r\n");
  EXPECT_EQ(feed.lines, QStringList{"OK"});
  EXPECT_EQ(feed.rules.pendingLeadByte(), 0);
  feed.bytes({'X'});  // starts the next line cleanly
  EXPECT_EQ(feed.rules.line(), "X");

  Feed lineFeed;
  lineFeed.kanji = true;
  lineFeed.bytes({0x88, 10, 'Z'});
  EXPECT_EQ(lineFeed.area.text, "Z");
}

TEST(ReceivedText, BackspaceBetweenLeadAndTrailKeepsThePair) {
  Feed feed;
  feed.kanji = true;
  feed.bytes({'A', 'B', 0x88, 8, 0x9F});
  EXPECT_EQ(feed.area.text, "A" + kKanjiA);
  // The line buffer is not touched by backspace.
  EXPECT_EQ(feed.rules.line(), "AB" + kKanjiA);
}

TEST(ReceivedText, BackspaceNeedsMoreThanOneCharacter) {
  Feed feed;
  feed.bytes({8});
  EXPECT_EQ(feed.area.text, "");
  feed.bytes({'A', 8});
  EXPECT_EQ(feed.area.text, "A");
  feed.bytes({'B', 8});
  EXPECT_EQ(feed.area.text, "A");
}

TEST(ReceivedText, LineEndsHandOverOnlyNonEmptyLines) {
  Feed feed;
  feed.bytes({'C', 'Q', 13, 10});
  EXPECT_EQ(feed.area.text, "CQ\r\n");
  EXPECT_EQ(feed.lines, QStringList{"CQ"});
  EXPECT_TRUE(feed.rules.line().isEmpty());

  feed.bytes({13});
  EXPECT_EQ(feed.area.text, "CQ\r\n\r\n");
  EXPECT_EQ(feed.lines, QStringList{"CQ"});
}

TEST(ReceivedText, AreaIsCutOnlyAboveAThousandCharacters) {
  Feed full;
  full.area.text = QString(999, 'a') + "b";
  full.bytes({'c'});
  EXPECT_EQ(full.area.text.size(), 1001);

  Feed over;
  over.area.text = QString(1000, 'a') + "b";
  over.bytes({'c'});
  ASSERT_EQ(over.area.text.size(), 501);
  EXPECT_TRUE(over.area.text.endsWith("abc"));

  // The cut also comes before a backspace, which then works on the tail.
  Feed cutThenBackspace;
  cutThenBackspace.area.text = QString(1000, 'a') + "b";
  cutThenBackspace.bytes({8});
  EXPECT_EQ(cutThenBackspace.area.text, QString(499, 'a'));
}

TEST(ReceivedText, OnlyLParamZeroOrMinusOneAndByteCodesAreTaken) {
  Feed feed;
  feed.bytes({'A'}, -1);
  feed.bytes({'B'}, 1);
  feed.bytes({'C'}, 0x7E9);
  EXPECT_EQ(feed.area.text, "A");

  feed.kanji = true;
  feed.bytes({0x88});
  feed.bytes({256, -1, 0x10041, 13 + 256});
  EXPECT_EQ(feed.area.text, "A");
  EXPECT_EQ(feed.rules.pendingLeadByte(), 0x88);  // the dropped codes did not disturb it
  EXPECT_TRUE(feed.lines.isEmpty());
}

}  // namespace
}  // namespace quillary
