#pragma once
// The part of the band the waterfall shows and where things fall in it: the
// frequency under a pixel column and the column of a frequency, zooming
// about a point and panning, and the ticks of the frequency scale.
#include <optional>
#include <vector>

namespace quillary {

struct FrequencySpan {
  double lowHz = 200;
  double highHz = 3500;
  double widthHz() const { return highHz - lowHz; }
  bool operator==(const FrequencySpan&) const = default;
};

// The band as the window first shows it.
inline constexpr FrequencySpan kWholeBand{200, 3500};
// How far the view reaches (the receivers tune 100..3900 Hz), and how
// narrow it may get: a BPSK125 station and its neighbours still fit.
inline constexpr FrequencySpan kViewLimits{100, 3900};
inline constexpr double kNarrowestSpanHz = 200;

// The frequency at the middle of pixel column `x` of `columns`.
double frequencyAtColumn(const FrequencySpan& span, int columns, double x);
// The pixel column holding `hz` (may lie outside 0..columns - 1).
int columnOf(const FrequencySpan& span, int columns, double hz);

// Zoomed by `factor` (below 1 narrows) about `anchorHz`, which stays where
// it stands on the screen as far as the limits allow.
FrequencySpan zoomed(const FrequencySpan& span, double anchorHz, double factor);
// Moved by `deltaHz`, as wide as before, within the limits.
FrequencySpan panned(const FrequencySpan& span, double deltaHz);
// A span read back from a file, when it is one the view could show.
std::optional<FrequencySpan> validSpan(double lowHz, double highHz);

struct ScaleTick {
  double hz = 0;
  bool labelled = false;
};
// Ticks on round frequencies, labelled ones at least `minLabelGap` columns
// apart, with an unlabelled one between each two.
std::vector<ScaleTick> scaleTicks(const FrequencySpan& span, int columns, double minLabelGap);

}  // namespace quillary
