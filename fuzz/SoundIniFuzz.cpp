// Any "sound.ini": a device number comes back or nothing does, and the
// number read, written and read again is the same number.
#include "FuzzSupport.h"
#include "app/SettingsFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto read = quillary::readSoundIni(quillary::fuzz::scratchFile("sound.ini", quillary::fuzz::bytesOf(data, size)));
  if (!read) return 0;
  const std::string written = quillary::formatSoundIni(*read);
  FUZZ_CHECK(written.size() >= 4 && written.substr(written.size() - 3) == " \r\n");
  FUZZ_CHECK(quillary::readSoundIni(quillary::fuzz::scratchFile("sound.ini", written)) == read);
  return 0;
}
