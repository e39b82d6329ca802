// Any "psk.ini": reading never fails hard, and what is read, written again
// and read back is a fixed point of writing.
#include "FuzzSupport.h"
#include "app/SettingsFiles.h"

namespace {

quillary::PskIniWrite asWritten(const quillary::PskIniRead& read) {
  quillary::PskIniWrite values;
  values.top = read.top.value_or(0);
  values.left = read.left.value_or(0);
  values.ownCall = read.ownCall.value_or("");
  values.squelch = read.squelch.value_or(0);
  values.searchHalfWidth = read.searchHalfWidth.value_or("50");
  values.width = read.savedWidth.value_or(0);
  values.height = read.savedHeight.value_or(0);
  values.smoothing = read.smoothing.value_or("3");
  values.bias = read.bias.value_or("1");
  values.commPort = read.commPort.value_or("0");
  return values;
}

quillary::PskIniRead readBytes(const std::string& bytes) {
  return quillary::readPskIni(quillary::fuzz::scratchFile("psk.ini", bytes));
}

std::string readAndWriteAgain(const std::string& bytes) {
  return quillary::formatPskIni(asWritten(readBytes(bytes)));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input = quillary::fuzz::bytesOf(data, size);
  // The first pass may still change values (a squelch of 0 comes back as
  // 10); from the second pass on, writing what was read changes nothing.
  std::string once = readAndWriteAgain(input);
  FUZZ_CHECK(readBytes(once).commPort.has_value());  // a file we wrote reads to its end
  std::string twice = readAndWriteAgain(once);
  FUZZ_CHECK(readAndWriteAgain(twice) == twice);
  return 0;
}
