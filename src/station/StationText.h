#pragma once
// The station's texts, without widgets: the dial as the window shows it,
// the status line beside "Radio", and the rig models as the dialog lists
// and searches them.
#include <cstdint>
#include <string>

#include "modem/RadioLink.h"

namespace quillary {

// 14070000 -> "14.070.000", as a radio's display groups it.
std::string dialText(int64_t hz);

struct StationLine {
  std::string text;       // one line beside the buttons
  std::string shortText;  // the same without the mode, where `text` does not fit
  std::string tooltip;    // the whole story
};

// What the status line says: the dial, its mode and the RF frequency of the
// receive marker at `receiveHz` while a CAT rig answers; otherwise the
// keying and what last went wrong. `pttDropped`: the engine let go of a
// port that stopped answering since "Open" was last pressed.
StationLine stationLine(const RadioStatus& status, PttMethod method, bool pttDropped, int32_t receiveHz);

// "3073  Icom IC-7300".
std::string rigModelItem(const RigModelEntry& entry);
// Whether the item shows for the search text: every word of it is found in
// the item, case ignored ("icom 73" finds the IC-7300).
bool rigModelMatches(const std::string& item, const std::string& search);

}  // namespace quillary
