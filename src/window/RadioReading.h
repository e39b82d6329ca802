#pragma once
// What the radio last said about itself over CAT: its dial frequency and
// mode. Empty while no CAT rig answers (serial or VOX keying, or a rig that
// stopped answering), so everything that shows or logs an RF frequency
// knows when it has none.
#include <cstdint>
#include <optional>
#include <string>

namespace quillary {

struct RadioReading {
  std::optional<int64_t> dialHz;
  std::string mode;  // hamlib's name of the mode: "USB", "LSB", "PKTUSB", ...
};

// The RF frequency of an audio frequency in the passband: above the dial on
// upper sideband, below it on lower sideband. Nothing without a dial
// frequency, or in a mode where the audio does not map to RF this way.
inline std::optional<int64_t> rfFrequencyOf(const RadioReading& radio, int32_t audioHz) {
  if (!radio.dialHz) return std::nullopt;
  if (radio.mode == "USB" || radio.mode == "PKTUSB") return *radio.dialHz + audioHz;
  if (radio.mode == "LSB" || radio.mode == "PKTLSB") return *radio.dialHz - audioHz;
  return std::nullopt;
}

}  // namespace quillary
