// psktool: the psk engine on the command line (WAV files in and out, the
// device list).
#include <algorithm>
#include <iostream>

#include "Command.h"

namespace {

bool asksForHelp(const std::string& word) { return word == "--help" || word == "-h"; }

void printUsage(std::ostream& out) {
  out << "usage:\n";
  for (const auto& [name, info] : psktool::commands()) out << "  psktool " << info.usage << "\n";
  out << "  psktool [COMMAND] --help\n";
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> words(argv + 1, argv + argc);
  if (!words.empty() && asksForHelp(words.front())) {
    printUsage(std::cout);
    return 0;
  }
  auto& registry = psktool::commands();
  auto found = words.empty() ? registry.end() : registry.find(words.front());
  if (found == registry.end()) {
    if (!words.empty()) std::cerr << "psktool: unknown command \"" << words.front() << "\"\n";
    printUsage(std::cerr);
    return 2;
  }
  words.erase(words.begin());
  if (std::any_of(words.begin(), words.end(), asksForHelp)) {
    std::cout << "usage: psktool " << found->second.usage << "\n";
    return 0;
  }
  return found->second.run(words);
}
