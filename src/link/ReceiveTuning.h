#pragma once
// The plain rules of the receive tuning controls: which mode code a mode
// name stands for, which presets exist, how a frequency is read from a text
// box, and how the squelch scroll bar maps to the threshold.
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace quillary {

// The mode list in the order the mode box shows it.
inline constexpr std::array<std::string_view, 6> kModeNames = {
    "BPSK31", "BPSK63", "BPSK125", "QPSK31", "QPSK63", "QPSK125"};
// The preset list, highest first.
inline constexpr std::array<int16_t, 9> kPresetFrequencies = {1600, 1550, 1500, 1450, 1400,
                                                              1300, 1200, 1100, 1000};
inline constexpr int16_t kStartPresetHz = 1600;
inline constexpr int32_t kAfcOnLimitHz = 500;
inline constexpr int32_t kRestFrequencyHz = 1500;  // a double click on the receive frequency
inline constexpr int32_t kSpectrumScale = 100;     // magnitudes run 0..100

// The mode code of a mode name ("QPSK63" -> 9); nullopt for any other text.
std::optional<int32_t> modeCodeForName(std::string_view name);

// The preset a text names: digits alone, within the receive frequency
// bar's range. The list offers the usual ones; the operator may type any
// other, as the preset button takes whatever the box shows. nullopt for
// any other text.
inline constexpr int16_t kLowestPresetHz = 100, kHighestPresetHz = 3000;
std::optional<int16_t> presetForText(std::string_view text);

// The whole number a text box holds (surrounding blanks allowed, fractions
// rounded half to even); nullopt when the text is no number or does not fit
// 32 bits. Tuning is skipped rather than sent a frequency the box never held.
std::optional<int32_t> numberInText(std::string_view text);

// The squelch scroll bar runs 0 at the top to 99 at the bottom; the
// threshold runs the other way.
int16_t squelchForScrollValue(int value);

}  // namespace quillary
