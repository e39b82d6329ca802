// Any "sound.ini": a device number (and perhaps its name) comes back or
// nothing does, and what is read, written and read again is the same.
#include "FuzzSupport.h"
#include "app/SettingsFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto read = quillary::readSoundIni(quillary::fuzz::scratchFile("sound.ini", quillary::fuzz::bytesOf(data, size)));
  if (!read) return 0;
  const std::string name = read->name.value_or("");
  const std::string written = quillary::formatSoundIni(read->device, name);
  const std::size_t numberLineEnd = written.find("\r\n");
  FUZZ_CHECK(numberLineEnd != std::string::npos && numberLineEnd >= 2 && written[numberLineEnd - 1] == ' ');
  const auto again = quillary::readSoundIni(quillary::fuzz::scratchFile("sound.ini", written));
  FUZZ_CHECK(again && again->device == read->device && again->name.value_or("") == name);
  return 0;
}
