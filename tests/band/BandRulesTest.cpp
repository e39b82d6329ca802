// The band window's plain rules: where frequencies fall on the waterfall and
// how the view zooms and pans, the colour map, what a station's text shows,
// and band.ini.
#include <QColor>
#include <cmath>
#include <gtest/gtest.h>

#include "band/BandIni.h"
#include "band/BandView.h"
#include "band/StationText.h"
#include "band/WaterfallColours.h"
#include "support/FileFaults.h"
#include "support/TempFolder.h"

namespace quillary::testing {
namespace {

TEST(BandView, AColumnShowsItsOwnFrequencyAndTheViewZoomsAboutThePointerWithinTheBand) {
  for (const FrequencySpan span : {kWholeBand, FrequencySpan{1000, 1250}}) {
    for (const double hz : {span.lowHz + 1, 1100.0, span.highHz - 1}) {
      const int column = columnOf(span, 752, hz);
      EXPECT_NEAR(frequencyAtColumn(span, 752, column), hz, span.widthHz() / 752 / 2) << hz;
    }
  }
  const FrequencySpan half = zoomed(kWholeBand, 1000, 0.5);
  EXPECT_DOUBLE_EQ(columnOf(half, 752, 1000), columnOf(kWholeBand, 752, 1000)) << "the pointer's frequency stays put";
  EXPECT_DOUBLE_EQ(half.widthHz(), 1650);
  EXPECT_DOUBLE_EQ(zoomed({1000, 1300}, 1100, 0.1).widthHz(), kNarrowestSpanHz);
  EXPECT_EQ(zoomed(kWholeBand, 3000, 4), kViewLimits);
  EXPECT_EQ(panned(kWholeBand, -500), (FrequencySpan{100, 3400}));
  EXPECT_EQ(validSpan(500, 2500), (FrequencySpan{500, 2500}));
  EXPECT_EQ(validSpan(50, 2500), std::nullopt);
  EXPECT_EQ(validSpan(1000, 1100), std::nullopt) << "narrower than the view goes";
}

TEST(WaterfallColours, BrightnessRisesStepByStepAndAFewDbOverTheFloorStandOut) {
  for (int step = 1; step < kColourSteps; ++step)
    EXPECT_GE(qGray(waterfallColour(step)), qGray(waterfallColour(step - 1))) << step;
  EXPECT_LT(qGray(waterfallColour(0)), 5);
  EXPECT_GT(qGray(waterfallColour(kColourSteps - 1)), 235);
  EXPECT_EQ(colourStep(-80, -60), 0);
  EXPECT_EQ(colourStep(NAN, -60), 0);
  EXPECT_EQ(colourStep(-60 + kTopAboveFloorDb, -60), kColourSteps - 1);
  EXPECT_GE(colourStep(-57, -60) - colourStep(-60, -60), 20) << "3 dB over the floor";
}

TEST(StationText, LinesCallsAndPictureCommandsAsTheListShowsThem) {
  struct Case {
    std::string bytes;
    QString line, calls, command;
  };
  const std::vector<Case> cases = {
      {"CQ CQ de DL1ABC DL1ABC pse k\r\n", "CQ CQ de DL1ABC DL1ABC pse k", "DL1ABC", ""},
      {"QRV de QUILLARY\r\n:QUILLARY/PHOTO\r\n", ":QUILLARY/PHOTO", "QUILLARY", ":QUILLARY/PHOTO"},
      {"tnx 1600Hz BPSK31 73, 9A2AB/P 2E0XYZ. de g4xyz\r", "tnx 1600Hz BPSK31 73, 9A2AB/P 2E0XYZ. de g4xyz",
       "9A2AB/P 2E0XYZ G4XYZ", ""},
      {"ok :qx1ab/t\r\nnext W1AW in progr", "next W1AW in progr", "QX1AB W1AW", ":QX1AB/PHOTO"},
      {"abc\bd\x01", "abd", "", ""},
      {"DL1ABC DL2ABC DL3ABC DL4ABC DL5ABC DL1ABC \r", "DL1ABC DL2ABC DL3ABC DL4ABC DL5ABC DL1ABC ",
       "DL3ABC DL4ABC DL5ABC DL1ABC", ""},
  };
  for (const Case& c : cases) {
    StationText text;
    text.take(c.bytes);
    EXPECT_EQ(text.lastLine(), c.line) << c.bytes;
    EXPECT_EQ(text.calls().join(' '), c.calls) << c.bytes;
    EXPECT_EQ(text.command().value_or(""), c.command) << c.bytes;
  }
  StationText longLine;
  longLine.take(std::string(500, 'x'));
  EXPECT_EQ(longLine.lastLine().size(), StationText::kLineLimit);
}

TEST(BandIni, RoundTripMissingGarbageAndAReadOnlyFolder) {
  TempFolder folder;
  const auto file = folder.path() / "band.ini";
  const BandIni open{true, BandPlace{1200, 6000.5, 11400, 8400}, {800, 2400}};
  ASSERT_TRUE(writeBandIni(file, open));
  EXPECT_EQ(readBytes(file), "1\r\n1200\r\n6000.5\r\n11400\r\n8400\r\n800\r\n2400\r\n");
  EXPECT_EQ(readBandIni(file), open);
  EXPECT_EQ(readBandIni(folder.path() / "none.ini"), BandIni{});

  const std::vector<std::pair<std::string, BandIni>> garbage = {
      {"", BandIni{}},
      {"\x01\xff\"zz\r\n", BandIni{}},
      {"2\r\n1200\r\n", BandIni{}},
      {"1\r\n1200\r\n6000\r\n", BandIni{true, std::nullopt}},
      {"1\r\n1200\r\n6000\r\n20\r\n8400\r\n800\r\n2400\r\n", BandIni{true, std::nullopt}},
      {"0\r\n1200\r\n6000\r\n11400\r\n8400\r\n2400\r\n800\r\n", BandIni{false, BandPlace{1200, 6000, 11400, 8400}}},
  };
  for (const auto& [bytes, read] : garbage) {
    writeBytes(file, bytes);
    EXPECT_EQ(readBandIni(file), read) << bytes;
  }

  writeBytes(file, "old");
  ReadOnlyFolder readOnly(folder.path());
  EXPECT_FALSE(writeBandIni(file, open));
  EXPECT_EQ(readBytes(file), "old");
}

}  // namespace
}  // namespace quillary::testing
