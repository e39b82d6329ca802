#pragma once
// psktool's subcommands register themselves by name, so each lives in a file
// of its own (encode.cpp, decode.cpp, devices.cpp).
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace psktool {

// args: the words after the subcommand's name. Returns the exit code.
using CommandFunction = std::function<int(const std::vector<std::string>& args)>;

struct CommandInfo {
  CommandFunction run;
  std::string usage;  // one line, shown by "psktool" without arguments
};

std::map<std::string, CommandInfo>& commands();

struct RegisterCommand {
  RegisterCommand(const std::string& name, std::string usage, CommandFunction run) {
    commands()[name] = CommandInfo{std::move(run), std::move(usage)};
  }
};

}  // namespace psktool
