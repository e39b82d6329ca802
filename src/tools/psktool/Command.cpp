#include "Command.h"

namespace psktool {

// A function-local registry: the commands register from their files'
// static initialisers, which run in no fixed order.
std::map<std::string, CommandInfo>& commands() {
  static std::map<std::string, CommandInfo> registry;
  return registry;
}

}  // namespace psktool
