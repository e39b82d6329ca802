#include "app/StartResult.h"

#include <algorithm>

#include "common/Numbers.h"
#include "modem/ModemLibrary.h"

namespace quillary {

std::string startResultText(int32_t result) {
  switch (result) {
    case 0:
      return "Card Opened ";
    case kStartCannotRead:
      return "Error Code : 11 Tried to read nd soundcard is not open ";
    case kStartDeviceBusy:
      return "Error Code : 18 Still somthing playing on soundcard ";
    case kStartNoSuchDevice:
      return "Error Code : 21 Bad Device ID, Soundcard Not Present ";
    default:
      return {};
  }
}

int32_t spectrumSetting(const std::string& text, int32_t fallback, int32_t low, int32_t high) {
  const auto number = parseNumber(text);
  if (!number) return fallback;
  const double rounded = roundHalfEven(*number);
  return static_cast<int32_t>(std::clamp<double>(rounded, low, high));
}

}  // namespace quillary
