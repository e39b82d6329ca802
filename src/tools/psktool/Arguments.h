#pragma once
// What the subcommands' options share: numbers, modes, the squelch.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "psk/PskMode.h"

namespace psktool {

// Walks the words of a command that reads one file: a word not starting
// with '-' is the file (`input`, one at most); `flag(word)` is asked
// whether an option stands alone (answering true once it has taken it);
// every other option takes the next word as its value, handed to `option`,
// which answers an error message or "". Answers the first error, or "".
std::string parseWords(const std::vector<std::string>& args, std::string& input,
                       const std::function<bool(const std::string& word)>& flag,
                       const std::function<std::string(const std::string& word, const std::string& value)>& option);

// A whole word as a finite decimal number; nullopt otherwise.
std::optional<double> parseNumber(const std::string& word);

// Sets `mode` from the --mode value (nullopt: the option was not given).
// Answers an error message, or "" when fine.
std::string parseMode(const std::optional<std::string>& name, quillary::psk::PskMode& mode);

// Sets `hz` from the value of `option`: a frequency from 100 to 3900 Hz.
// Answers an error message, or "" when fine.
std::string parseFrequency(const std::string& option, const std::string& value, double& hz);

// The text to send: the argument when one was given, else all of standard
// input. nullopt (with a message on standard error, naming `command`) when
// standard input cannot be read.
std::optional<std::string> textToSend(const std::optional<std::string>& argument, const char* command);

// Sets `squelch` from a --squelch value; answers an error message or "".
std::string parseSquelch(const std::string& value, int& squelch);

}  // namespace psktool
