#pragma once
// Sound files read for the Simulator (QUILLARY_SIM_INPUT).
#include <optional>
#include <string>
#include <vector>

namespace quillary::psk {

// A WAV (or any file libsndfile reads) as mono samples at 8000 Hz, channels
// mixed and other rates converted; nullopt when the file cannot be read or
// holds no audio.
std::optional<std::vector<float>> loadRecording(const std::string& path);

}  // namespace quillary::psk
