#pragma once
// What every use of hamlib shares: its global tables, its console noise and
// the signal a dead rigctld connection raises.
#include <mutex>
#include <string>
#include <vector>

#include "modem/RadioLink.h"

namespace quillary::psk::hamlib {

// Held around the calls that touch hamlib's global tables (making, opening,
// closing and freeing a rig, walking the model list); a rig's own calls
// need it not.
std::mutex& globalMutex();

// Once per process, before the first rig: hamlib's debug output off, and
// SIGPIPE ignored, so that writing to a rigctld that has just died fails
// with an error instead of ending the program.
void prepare();

// hamlib's rigs, by model number.
std::vector<RigModelEntry> rigModels();

// hamlib's text for one of its (negative) results.
std::string errorText(int result);

// "Icom IC-7300" for a model number, or "rig model N" when hamlib knows none.
std::string modelName(int model);

}  // namespace quillary::psk::hamlib
