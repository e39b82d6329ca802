#pragma once
// What the receive area shows after the modem was asked to start.
#include <cstdint>
#include <string>

namespace quillary {

// "Card Opened " for 0, an error line for 11, 18 and 21, nothing otherwise.
std::string startResultText(int32_t result);

// A spectrum setting from its combo box text for fnSetFFTMode: a text that
// is not a number gives `fallback`; a number is rounded half to even and
// kept within low..high.
int32_t spectrumSetting(const std::string& text, int32_t fallback, int32_t low, int32_t high);

}  // namespace quillary
