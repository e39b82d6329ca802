#include "modem/ImdStatistics.h"

#include <algorithm>
#include <limits>

#include "common/Numbers.h"

namespace quillary {

namespace {
int16_t asInt16(int32_t value) {
  return static_cast<int16_t>(std::clamp<int32_t>(value, std::numeric_limits<int16_t>::min(),
                                                  std::numeric_limits<int16_t>::max()));
}
}  // namespace

ImdTexts ImdStatistics::add(int32_t rawReading) {
  // A reading beyond the 16-bit figures is held at their limit rather than
  // wrapped into a reading of the opposite sign.
  const int16_t reading = asInt16(rawReading);
  ++count_;
  best_ = std::min(best_, reading);
  worst_ = std::max(worst_, reading);
  sum_ += reading;
  average_ = asInt16(static_cast<int32_t>(roundHalfEven(static_cast<double>(sum_) / count_)));

  ImdTexts texts;
  texts.summary = "B: " + signedStyle(best_) + " W: " + signedStyle(worst_) +
                  " A: " + signedStyle(average_) + " dB";
  texts.count = std::to_string(count_);
  texts.reading = signedStyle(reading) + " dB";
  if (count_ >= kReadingsPerRound) reset();
  return texts;
}

void ImdStatistics::reset() {
  best_ = kNoBest;
  worst_ = kNoWorst;
  average_ = 0;
  count_ = 0;
  sum_ = 0;
}

}  // namespace quillary
