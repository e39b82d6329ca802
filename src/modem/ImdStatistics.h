#pragma once
// The IMD statistics of the received signal: best (lowest) and worst
// (highest) reading, their average and count. Every twentieth reading shows
// its figures and then starts the statistics afresh.
#include <cstdint>
#include <string>

namespace quillary {

// The texts one reading puts into the IMD boxes.
struct ImdTexts {
  std::string summary;  // txtIMD: "B: -28 W: -21 A: -25 dB"
  std::string count;    // Text1: "3"
  std::string reading;  // Text2: "-27 dB"
};

class ImdStatistics {
 public:
  static constexpr int16_t kNoBest = 9999;
  static constexpr int16_t kNoWorst = -9999;
  static constexpr int16_t kReadingsPerRound = 20;

  // Counts one reading in dB and returns what the boxes show for it.
  ImdTexts add(int32_t reading);
  void reset();

  int16_t best() const { return best_; }
  int16_t worst() const { return worst_; }
  int16_t average() const { return average_; }
  int16_t count() const { return count_; }
  bool hasReading() const { return best_ != kNoBest; }

 private:
  int16_t best_ = kNoBest;
  int16_t worst_ = kNoWorst;
  int16_t average_ = 0;
  int16_t count_ = 0;
  // Kept wider than the figures: twenty readings of any 16-bit size fit.
  int32_t sum_ = 0;
};

}  // namespace quillary
