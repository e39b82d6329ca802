#pragma once
// What the subcommands' options share: numbers, modes, the squelch.
#include <optional>
#include <string>

#include "psk/PskMode.h"

namespace psktool {

// A whole word as a finite decimal number; nullopt otherwise.
std::optional<double> parseNumber(const std::string& word);

// Sets `mode` from the --mode value (nullopt: the option was not given).
// Answers an error message, or "" when fine.
std::string parseMode(const std::optional<std::string>& name, quillary::psk::PskMode& mode);

// Sets `squelch` from a --squelch value; answers an error message or "".
std::string parseSquelch(const std::string& value, int& squelch);

}  // namespace psktool
