#pragma once
// Levels on the band, from a spectrum frame (kSpectrumBins values in dB):
// the band's noise floor, and how far a station stands above it.
#include <span>

namespace quillary {

inline constexpr double kBinHz = 8000.0 / 2048;
// The band whose floor counts: where the radio's passband carries audio.
inline constexpr double kFloorLowHz = 200, kFloorHighHz = 3500;

// The median of the bins between 200 and 3500 Hz: most of a band is noise,
// even with thirty stations on it.
float bandFloorDb(std::span<const float> db);
// The strongest bin within `halfWidthHz` of `hz`, less the band's floor.
double levelOverFloorDb(std::span<const float> db, double hz, double halfWidthHz);

}  // namespace quillary
