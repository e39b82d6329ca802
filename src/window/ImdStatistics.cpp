#include "window/ImdStatistics.h"

#include <algorithm>
#include <limits>

#include "common/Numbers.h"

namespace quillary {

namespace {
int16_t asInt16(int32_t value) {
  return static_cast<int16_t>(std::clamp<int32_t>(value, std::numeric_limits<int16_t>::min(),
                                                  std::numeric_limits<int16_t>::max()));
}

std::string summaryOf(const ImdStatistics& s) {
  return "B: " + signedStyle(s.best) + " W: " + signedStyle(s.worst) +
         " A: " + signedStyle(s.average) + " dB";
}
}  // namespace

ImdTexts addImdReading(ImdStatistics& s, int32_t rawReading) {
  // A reading beyond the 16-bit figures is held at their limit rather than
  // wrapped into a reading of the opposite sign.
  const int16_t reading = asInt16(rawReading);
  ++s.count;
  s.best = std::min(s.best, reading);
  s.worst = std::max(s.worst, reading);
  s.sum += reading;
  s.average = asInt16(static_cast<int32_t>(roundHalfEven(static_cast<double>(s.sum) / s.count)));

  ImdTexts texts{summaryOf(s), std::to_string(s.count), signedStyle(reading) + " dB"};
  if (s.count >= kImdReadingsPerRound) s = ImdStatistics{};
  return texts;
}

}  // namespace quillary
