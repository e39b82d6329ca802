// Plain tuning rules for the texts the window tests do not try.
#include "modem/ReceiveTuning.h"

#include <gtest/gtest.h>

#include "modem/SignalSearch.h"

namespace quillary {
namespace {

TEST(ReceiveTuning, ModeNamesPresetsAndNumbersMustMatchExactly) {
  const std::pair<const char*, int> modes[] = {{"BPSK31", 0}, {"QPSK31", 1},   {"BPSK63", 8},
                                               {"QPSK63", 9}, {"BPSK125", 16}, {"QPSK125", 17}};
  for (const auto& [name, code] : modes) EXPECT_EQ(modeCodeForName(name), code) << name;
  for (const char* name : {"qpsk63", "BPSK31 ", ""}) EXPECT_FALSE(modeCodeForName(name)) << name;

  EXPECT_EQ(presetForText("1000"), 1000);
  for (const char* text : {"1401", " 1400", "1400Hz", ""}) EXPECT_FALSE(presetForText(text)) << text;

  EXPECT_EQ(numberInText(" 1500 "), 1500);
  EXPECT_EQ(numberInText("1500.5"), 1500);
  EXPECT_EQ(numberInText("1501.5"), 1502);
  for (const char* text : {"", "abc", "15OO", "1e12"}) EXPECT_FALSE(numberInText(text)) << text;
}

// A half-width as large as a typed number can be keeps the edges in range.
TEST(SignalSearch, AHugeHalfWidthKeepsTheWindowEdgesInRange) {
  const SearchWindow wide = searchWindowAround(1600, INT32_MAX);
  EXPECT_EQ(wide.lowHz, 1600 - INT32_MAX);
  EXPECT_EQ(wide.highHz, INT32_MAX);
}

}  // namespace
}  // namespace quillary
