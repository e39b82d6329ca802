#pragma once
// Where the spectrum picture puts things: the bins fetched for the display
// range, the grid lines and which of them marks the preset, the trace
// points, the receive-frequency marker, and the frequency under a click.
// Sizes and positions are in the picture's drawing units.
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "window/DisplayRange.h"

namespace quillary {

inline constexpr double kHzPerBin = 3.90625;


// The range list in the order the range box shows it.
inline constexpr std::array<std::string_view, 4> kRangeNames = {"500-3000", "500-2500",
                                                                "1200-1800", "1000-2000"};
inline constexpr std::string_view kStartRangeName = "1000-2000";

// The range an entry of the range box stands for; nullopt for other texts.
std::optional<DisplayRange> rangeForName(std::string_view name);

struct SpectrumScale {
  int firstBin = 0;        // a: low / 3.90625 rounded down
  int lastBin = 0;         // b: high / 3.90625 rounded down (fetched, not drawn)
  double xPerBin = 0;      // xs
  double yPerUnit = 0;     // ys, per magnitude unit of 0..100
  double gridStepHz = 0;   // g
};

SpectrumScale spectrumScale(const DisplayRange& range, double width, double height);

struct GridLine {
  double x = 0;
  double hz = 0;
  bool preset = false;  // drawn red: it stands at the preset centre
};

// gridCount + 1 lines from x = 0 to x = width. `presetHz` is the number in
// the preset box, nullopt when it holds none.
std::vector<GridLine> gridLines(const DisplayRange& range, double width,
                                std::optional<double> presetHz);

struct TracePoint {
  double x = 0;
  double y = 0;
};

// The drawn trace: bin a + j at x = (j + 1) * xs for j = 0 .. b - a - 1.
// `bins` is indexed by bin number and holds at least lastBin + 1 values.
std::vector<TracePoint> tracePoints(const SpectrumScale& scale, double height,
                                    const int32_t* bins);

// x of the receive-frequency marker, rounded down.
long long markerX(const SpectrumScale& scale, double frequencyHz);

// The frequency under a click at x, rounded half to even; nullopt when it
// falls outside the range. Worked in single precision, like the display.
std::optional<int32_t> frequencyAtX(const DisplayRange& range, double width, double x);

}  // namespace quillary
