#pragma once
// Frequencies as ADIF writes them (MHz) and the band a frequency lies in.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quillary {

// The ADIF band ("20m", "70cm") of a frequency in Hz; nullopt outside
// every amateur band.
std::optional<std::string> bandOf(int64_t hz);

// 14071600 Hz -> "14.071600": MHz to the hertz.
std::string megahertzText(int64_t hz);
// "14.0716" -> 14071600; nullopt for anything but a positive number of MHz.
std::optional<int64_t> hertzOfMegahertz(std::string_view text);

}  // namespace quillary
