// psktool's help: asked for, it prints the usage on standard output and
// succeeds; without a command it still fails and prints the usage as an error.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <string>

namespace {

const std::string kTool = std::string(QUILLARY_BINARY_DIR) + "/psktool";

std::pair<int, std::string> run(const std::string& arguments) {
  std::string output;
  FILE* pipe = ::popen(("'" + kTool + "' " + arguments + " 2>/dev/null").c_str(), "r");
  if (pipe == nullptr) return {-1, output};
  char buffer[1024];
  for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) output.append(buffer, got);
  const int status = ::pclose(pipe);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output};
}

TEST(PsktoolHelp, HelpPrintsTheUsageAndSucceeds) {
  for (const char* asked : {"--help", "-h"}) {
    const auto [code, output] = run(asked);
    EXPECT_EQ(code, 0);
    for (const char* command : {"psktool decode --mode", "psktool encode --mode", "psktool devices"})
      EXPECT_NE(output.find(command), std::string::npos) << command;
  }
  const auto [code, output] = run("decode --help");
  EXPECT_EQ(code, 0);
  EXPECT_EQ(output.rfind("usage: psktool decode --mode", 0), 0u) << output;
  EXPECT_EQ(run("").first, 2);
  EXPECT_EQ(run("").second, "");
  EXPECT_EQ(run("nonsense --help").first, 2);
}

}  // namespace
