#pragma once
// Pieces the benchmarks share: the offscreen application and a band as the
// smoothed spectrum shows it.
#include <QApplication>
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <random>

namespace quillary::bench {

inline void ensureApplication() {
  if (QApplication::instance()) return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "quillary_bench";
  static char* argv[] = {name, nullptr};
  new QApplication(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
}

// A noise floor around 20 with three signals standing out of it.
inline std::array<int32_t, 1024> bandBins() {
  std::array<int32_t, 1024> bins{};
  std::mt19937 random(7);
  std::normal_distribution<double> floor(20, 4);
  for (int32_t& bin : bins) bin = std::clamp(static_cast<int32_t>(floor(random)), 0, 100);
  for (int centre : {300, 384, 410}) {
    for (int k = -4; k <= 4; ++k) bins[centre + k] = 90 - 8 * std::abs(k);
  }
  return bins;
}

}  // namespace quillary::bench
