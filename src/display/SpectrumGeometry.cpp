#include "display/SpectrumGeometry.h"

#include <cmath>

#include "common/Numbers.h"

namespace quillary {

std::optional<DisplayRange> rangeForName(std::string_view name) {
  if (name == "1200-1800") return DisplayRange{1200, 1800, 12};
  if (name == "1000-2000") return DisplayRange{1000, 2000, 10};
  if (name == "500-2500") return DisplayRange{500, 2500, 20};
  if (name == "500-3000") return DisplayRange{500, 3000, 25};
  return std::nullopt;
}

SpectrumScale spectrumScale(const DisplayRange& range, double width, double height) {
  SpectrumScale scale;
  scale.firstBin = static_cast<int>(std::floor(range.low / kHzPerBin));
  scale.lastBin = static_cast<int>(std::floor(range.high / kHzPerBin));
  const int span = scale.lastBin - scale.firstBin;
  scale.xPerBin = span > 0 ? width / span : 0;
  scale.yPerUnit = height / 100.0;
  scale.gridStepHz =
      range.gridCount > 0 ? static_cast<double>(range.high - range.low) / range.gridCount : 0;
  return scale;
}

std::vector<GridLine> gridLines(const DisplayRange& range, double width,
                                std::optional<double> presetHz) {
  std::vector<GridLine> lines;
  if (range.gridCount <= 0) return lines;
  const double stepHz = static_cast<double>(range.high - range.low) / range.gridCount;
  // Counted, not stepped: adding W/div repeatedly can lose the last line.
  for (int k = 0; k <= range.gridCount; ++k) {
    GridLine line;
    line.x = width * k / range.gridCount;
    line.hz = range.low + k * stepHz;
    line.preset = presetHz && *presetHz == line.hz;
    lines.push_back(line);
  }
  return lines;
}

std::vector<TracePoint> tracePoints(const SpectrumScale& scale, double height,
                                    const int32_t* bins) {
  std::vector<TracePoint> points;
  const int span = scale.lastBin - scale.firstBin;
  if (span <= 0) return points;
  points.reserve(span);
  for (int j = 0; j < span; ++j) {
    points.push_back({(j + 1) * scale.xPerBin, height - bins[scale.firstBin + j] * scale.yPerUnit});
  }
  return points;
}

long long markerX(const SpectrumScale& scale, double frequencyHz) {
  return static_cast<long long>(
      std::floor((frequencyHz / kHzPerBin + 0.5 - scale.firstBin) * scale.xPerBin));
}

std::optional<int32_t> frequencyAtX(const DisplayRange& range, double width, double x) {
  const float low = range.low;
  const float high = range.high;
  const float unitsPerHz = static_cast<float>(width) / (high - low);
  if (!(unitsPerHz > 0)) return std::nullopt;
  const float hz = static_cast<float>(x) / unitsPerHz + low;
  if (!(hz >= low && hz <= high)) return std::nullopt;
  return static_cast<int32_t>(roundHalfEven(hz));
}

}  // namespace quillary
