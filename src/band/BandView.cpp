#include "band/BandView.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace quillary {

double frequencyAtColumn(const FrequencySpan& span, int columns, double x) {
  if (columns <= 0) return span.lowHz;
  return span.lowHz + (x + 0.5) * span.widthHz() / columns;
}

int columnOf(const FrequencySpan& span, int columns, double hz) {
  if (!(span.widthHz() > 0)) return 0;
  return static_cast<int>(std::floor((hz - span.lowHz) * columns / span.widthHz()));
}

namespace {

// Shifted back inside the limits without changing its width.
FrequencySpan keptWithin(FrequencySpan span) {
  const double width = std::min(span.widthHz(), kViewLimits.widthHz());
  span.lowHz = std::clamp(span.lowHz, kViewLimits.lowHz, kViewLimits.highHz - width);
  span.highHz = span.lowHz + width;
  return span;
}

}  // namespace

FrequencySpan zoomed(const FrequencySpan& span, double anchorHz, double factor) {
  if (!(factor > 0) || !(span.widthHz() > 0)) return span;
  const double width = std::clamp(span.widthHz() * factor, kNarrowestSpanHz, kViewLimits.widthHz());
  const double anchorShare = std::clamp((anchorHz - span.lowHz) / span.widthHz(), 0.0, 1.0);
  const double low = anchorHz - anchorShare * width;
  return keptWithin({low, low + width});
}

FrequencySpan panned(const FrequencySpan& span, double deltaHz) {
  return keptWithin({span.lowHz + deltaHz, span.highHz + deltaHz});
}

std::optional<FrequencySpan> validSpan(double lowHz, double highHz) {
  if (!(lowHz >= kViewLimits.lowHz && highHz <= kViewLimits.highHz && highHz - lowHz >= kNarrowestSpanHz))
    return std::nullopt;
  return FrequencySpan{lowHz, highHz};
}

std::vector<ScaleTick> scaleTicks(const FrequencySpan& span, int columns, double minLabelGap) {
  std::vector<ScaleTick> ticks;
  if (columns <= 0 || !(span.widthHz() > 0)) return ticks;
  constexpr std::array<double, 7> kSteps{10, 20, 50, 100, 200, 500, 1000};
  const double columnsPerHz = columns / span.widthHz();
  double step = kSteps.back();
  for (double candidate : kSteps) {
    if (candidate * columnsPerHz >= minLabelGap) {
      step = candidate;
      break;
    }
  }
  const double half = step / 2;
  for (double hz = std::ceil(span.lowHz / half) * half; hz <= span.highHz; hz += half)
    ticks.push_back({hz, std::fmod(hz, step) == 0});
  return ticks;
}

}  // namespace quillary
