// psktool decode on any file: WAV headers and bodies (and whatever else
// libsndfile opens), in every mode, with and without AFC. It must answer 0
// or 1, never crash or hang, and not allocate beyond the fuzzer's limit.
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "tools/psktool/Command.h"

namespace {

const char* const kModes[] = {"BPSK31", "QPSK31", "BPSK63", "QPSK63", "BPSK125", "QPSK125"};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // The decoded text and psktool's complaints are of no interest here; the
  // fuzzer and the sanitizers report on stderr itself, not through std::cerr.
  FUZZ_CHECK(std::freopen("/dev/null", "w", stdout) != nullptr);
  std::cerr.rdbuf(nullptr);
  return 0;
}

// The first byte picks the mode and AFC; the rest is the file.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::string file = quillary::fuzz::scratchFile("in.wav", quillary::fuzz::bytesOf(data + 1, size - 1)).string();
  std::vector<std::string> args{"--mode", kModes[data[0] % 6]};
  if (data[0] & 0x80) args.push_back("--afc");
  args.push_back(file);
  const int code = psktool::commands().at("decode").run(args);
  FUZZ_CHECK(code == 0 || code == 1);
  return 0;
}
