#pragma once
// The IMD statistics of the received signal: best (lowest) and worst
// (highest) reading, their average and count. Every twentieth reading shows
// its figures and then starts the statistics afresh.
#include <cstdint>
#include <string>

namespace quillary {

struct ImdStatistics {
  static constexpr int16_t kNoBest = 9999;
  static constexpr int16_t kNoWorst = -9999;

  int16_t best = kNoBest;    // the lowest reading; 9999 = no reading
  int16_t worst = kNoWorst;  // the highest reading; -9999 = no reading
  int16_t average = 0;
  int16_t count = 0;
  // Kept wider than the figures, so twenty readings of any 16-bit size fit.
  int32_t sum = 0;

  bool hasReading() const { return best != kNoBest; }
};

inline constexpr int16_t kImdReadingsPerRound = 20;

// The texts one reading puts into the IMD boxes.
struct ImdTexts {
  std::string summary;  // txtIMD: "B: -28 W: -21 A: -25 dB"
  std::string count;    // Text1: "3"
  std::string reading;  // Text2: "-27 dB"
};

// Counts one reading in dB and returns what the boxes show for it; the
// twentieth reading then starts the statistics afresh.
ImdTexts addImdReading(ImdStatistics& statistics, int32_t reading);

}  // namespace quillary
