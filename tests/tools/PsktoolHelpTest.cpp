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
  const auto [helpCode, help] = run("-h");
  EXPECT_EQ(helpCode, 0);
  EXPECT_NE(help.find("psktool encode --mode"), std::string::npos) << help;
  EXPECT_EQ(run("decode --help").second.rfind("usage: psktool decode --mode", 0), 0u);
  EXPECT_EQ(run(""), (std::pair<int, std::string>{2, ""}));
}

}  // namespace
