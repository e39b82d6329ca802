#pragma once
// Filter taps for the receive chain and the channel simulator.
#include <vector>

namespace quillary::psk {

// Blackman-windowed sinc low-pass; `cutoff` in cycles per sample (0..0.5),
// `length` odd and >= 3. Unity gain at DC. Empty for bad arguments.
std::vector<float> lowpassTaps(int length, double cutoff);

// A raised-cosine (Hann) pulse of `length` taps (>= 2), unity sum: the shape
// of one PSK symbol, used as the matched filter. Empty for a bad length.
std::vector<float> hannPulse(int length);

// A Blackman-windowed Hilbert transformer of `length` taps (odd, >= 3): it
// turns a real signal, delayed by (length - 1) / 2 samples, into the
// imaginary part of its analytic signal. Empty for a bad length.
std::vector<float> hilbertTaps(int length);

}  // namespace quillary::psk
