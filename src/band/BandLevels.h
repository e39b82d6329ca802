#pragma once
// Levels on the band, from spectrum frames of kSpectrumBins bins of
// 3.90625 Hz: the band's noise floor, and a station's signal-to-noise
// ratio as operators quote it, in 3 kHz.
#include <span>

namespace quillary {

inline constexpr double kBinHz = 8000.0 / 2048;
// The band whose floor counts: where the radio's passband carries audio.
inline constexpr double kFloorLowHz = 200, kFloorHighHz = 3500;
inline constexpr double kNoiseBandwidthHz = 3000;

// The median of the bins (any one measure: dB or power) between 200 and
// 3500 Hz: most of a band is noise, even with thirty stations on it.
float bandFloor(std::span<const float> bins);
// `power`: linear power per bin, averaged over a few frames. The power
// within `halfWidthHz` of `hz` above the floor, against the floor's noise
// over 3 kHz, in dB; kNoSignalDb when nothing stands above the floor.
double stationSnrDb(std::span<const float> power, double hz, double halfWidthHz);
inline constexpr double kNoSignalDb = -30;

}  // namespace quillary
