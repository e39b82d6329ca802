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

// Once per process, on the thread that makes a rig, before its worker
// starts: LC_NUMERIC set to "C". hamlib switches LC_NUMERIC to "C" around
// its number parsing and puts back the name it saved, which glibc has freed
// by then unless the locale already was "C"; and it does so on our worker
// thread, while the others may read the locale. Already "C", its switching
// changes and frees nothing. Our own files never take their numbers from
// the C library's locale.
void keepNumericLocaleC();

// hamlib's rigs, by model number.
std::vector<RigModelEntry> rigModels();

// hamlib's text for one of its (negative) results.
std::string errorText(int result);

// "Icom IC-7300" for a model number, or "rig model N" when hamlib knows none.
std::string modelName(int model);

}  // namespace quillary::psk::hamlib
