#include <QApplication>
#include <QClipboard>
#include <QTest>

#include "../link/HookTestSupport.h"
#include "support/OperatorInput.h"

namespace quillary::testing {
namespace {

class CallCapture : public LoadedWindowTest {
 protected:
  void SetUp() override {
    writeBytes(h.file("name.txt"), "OTHER,Hanako\r\nALL,EVERYONE\r\n");
    writeBytes(h.file("name.ini"), h.file("name.txt").string() + "\r\n");
    LoadedWindowTest::SetUp();
  }
  void doubleClickOn(const QString& word) { doubleClickOnWord(*c().Term, word); }
};

TEST_F(CallCapture, ADoubleClickedWordOrCommandOrHisCallIsLookedUpEveryTime) {
  c().Term->setPlainText("CQ CQ de OTHER/P:X\r\n");
  receive(h, {':', 'O', 'T', 'H', 'E', 'R', '/', 'H', 'Y', 'B', 'R', 'I', 'D', 13, 10});
  QApplication::clipboard()->setText("the operator's own text");
  // A double click on His Call puts back ALL and looks it up, even when it
  // already reads ALL.
  QTest::mouseDClick(c().Text27, Qt::LeftButton);
  EXPECT_EQ(c().Text6->text(), "EVERYONE");

  doubleClickOn("P:X");
  EXPECT_EQ(c().Text27->text(), "OTHER/P:X");
  doubleClickOn("HYBRID");
  EXPECT_EQ(c().Text27->text() + "/" + c().Text6->text(), "OTHER/Hanako");
  EXPECT_EQ(QApplication::clipboard()->text(), "the operator's own text");

  // The same call captured again sees a log changed in the meantime.
  writeBytes(h.file("name.txt"), "OTHER,Yuki\r\n");
  doubleClickOn("HYBRID");
  EXPECT_EQ(c().Text6->text(), "Yuki");
  QTest::mouseDClick(c().Text27, Qt::LeftButton);
  EXPECT_EQ(c().Text27->text() + "/" + c().Text6->text(), "ALL/OM");
}

}  // namespace
}  // namespace quillary::testing
