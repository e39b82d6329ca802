#pragma once
// The six PSK modes and their on-air timing at the engine's 8000 Hz.
#include <optional>
#include <string_view>

namespace quillary::psk {

inline constexpr double kSampleRate = 8000.0;
inline constexpr int kTuneCode = 4;

struct PskMode {
  int code = 0;               // 0, 1, 8, 9, 16, 17
  bool qpsk = false;
  int samplesPerSymbol = 256; // 256, 128, 64
  int preambleSymbols = 32;   // 1.024 s: 32, 64, 128
  double baud() const { return kSampleRate / samplesPerSymbol; }
};

// nullopt for a code that is no PSK mode (4, the tune carrier, included).
std::optional<PskMode> modeFromCode(int code);
// "BPSK31" ... "QPSK125"; nullopt for any other name.
std::optional<PskMode> modeFromName(std::string_view name);
// "BPSK31" ... "QPSK125".
std::string_view nameOf(const PskMode& mode);

}  // namespace quillary::psk
