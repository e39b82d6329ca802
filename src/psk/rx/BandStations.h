#pragma once
// The stations of one mode on the whole band, for the band scan: where the
// band's averaged spectrum (SpectrumAnalyzer::bandPower) holds a peak about
// a station of the mode wide that stands clearly out of the floor.
#include <span>
#include <vector>

#include "psk/PskMode.h"

namespace quillary::psk {

// `power`: bins of `binHz` from 0 Hz. Answers the stations' centres in Hz
// between `lowHz` and `highHz`, lowest first.
std::vector<double> stationsInBand(std::span<const double> power, double binHz, const PskMode& mode, double lowHz,
                                   double highHz);

}  // namespace quillary::psk
