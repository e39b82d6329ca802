// psktool: the psk engine on the command line (WAV files in and out, the
// device list).
#include <iostream>

#include "Command.h"

namespace psktool {
std::map<std::string, CommandInfo>& commands() {
  static std::map<std::string, CommandInfo> registry;
  return registry;
}
}  // namespace psktool

int main(int argc, char** argv) {
  std::vector<std::string> words(argv + 1, argv + argc);
  auto& registry = psktool::commands();
  auto found = words.empty() ? registry.end() : registry.find(words.front());
  if (found == registry.end()) {
    if (!words.empty()) std::cerr << "psktool: unknown command \"" << words.front() << "\"\n";
    std::cerr << "usage:\n";
    for (const auto& [name, info] : registry) std::cerr << "  psktool " << info.usage << "\n";
    return 2;
  }
  words.erase(words.begin());
  return found->second.run(words);
}
