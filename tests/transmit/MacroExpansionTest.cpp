// Macro expansion: the worked examples, the cut rules at their edges, and
// the window gathering its values.
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

#include "support/Form1Harness.h"
#include "transmit/MacroExpansion.h"

namespace quillary::testing {
namespace {

struct Case {
  const char* before;
  const char* after;
  bool transmit, receive;
};

const MacroValues kValues{"MYCALL", "HISCALL", "OPNAME", "Good Evening"};

void expectExpansions(const std::vector<Case>& cases, const MacroValues& values) {
  for (const Case& c : cases) {
    const ExpandedMacro got = expandMacro(QString::fromUtf8(c.before), values);
    EXPECT_EQ(got.text.toStdString(), c.after) << "from: " << c.before;
    EXPECT_EQ(got.transmit, c.transmit) << "from: " << c.before;
    EXPECT_EQ(got.receive, c.receive) << "from: " << c.before;
  }
}

TEST(MacroExpansion, WorkedExamplesAndTheCutRules) {
  expectExpansions(
      {
          {"<HIS> de <MY> pse kn ", " HISCALL de  MYCALL pse kn ", false, false},
          {"de <my> k\r\n", "de  MYCALL k\r\n", false, false},
          {"<GM> <OM>\r\n", " Good Evening  OPNAME \n", false, false},
          {"<TX>\r\nSend This TEXT and receive\r\n<RX>\r\n", "  \nSend This TEXT and receive\r\n ",
           true, true},
          {"<MY><MY>", " MYCALL MY>", false, false},
          {"no tokens, Kept As It Is\r\n", "no tokens, Kept As It Is\r\n", false, false},
          {"<Tx>", "  ", true, false},
          {"a <tX> b\r\n", "a   b\r\n", true, false},
          {"<MY> <RX> x", " MYCALL  ", false, true},
          {"<RX> <MY> x", " ", false, true},
          {"a<TX>b<TX>c\r\n", "a    \r\n", true, false},
          // A token at the very end leaves one blank as its tail.
          {"de <MY>", "de  MYCALL ", false, false},
          {"<HiS>", " HISCALL ", false, false},
      },
      kValues);
}

TEST(MacroExpansion, ValuesHoldingTokensAndEmptyValues) {
  // A later pass expands a value that holds its token; a value holding its
  // own token is inserted once and the expansion ends.
  expectExpansions({{"<HIS>:<OM>\r\n", " HISCALL   HISCALL \n", false, false}},
                   {"MYCALL", "HISCALL", "<HIS>", ""});
  expectExpansions({{"<MY> de <MY>\r\n", " <my> de  <my> \n", false, false},
                    {"<OM>!", " <OM> ", false, false}},
                   {"<my>", "", "<OM>", ""});
  expectExpansions({{"<GM> <OM> <HIS>\r\n", "      \n", false, false}}, {});
}

// The greeting is the one chosen by its exact code.
TEST(MacroExpansion, TheWindowExpandsWithTheBoxesAndTheChosenGreeting) {
  Form1Harness h;
  h.load();
  Form1Controls& c = h.controls();
  QTest::keyClicks(c.Text4, "JA1ABC");
  typeInto(c.Combo8, "gmj");
  h.state().sendText = "<GM> <OM>/<HIS>/<MY>\r\n";
  Insert_Send(h.form().context());
  // His name is still empty after start-up, though the name box shows OM.
  EXPECT_EQ(h.state().sendText, " お早うございます。    ALL  JA1ABC \n");
  EXPECT_EQ(greetingFor("GA"), "Good Afternoon");
  for (const char* code : {"ga", "Good Morning"}) EXPECT_EQ(greetingFor(code), "") << code;
}

}  // namespace
}  // namespace quillary::testing
