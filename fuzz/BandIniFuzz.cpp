// Any "band.ini": reading never fails hard, and what is read, written again
// and read back is a fixed point of writing.
#include "FuzzSupport.h"
#include "band/BandIni.h"

namespace {

std::string readAndWriteAgain(const std::string& bytes) {
  return quillary::formatBandIni(quillary::readBandIni(quillary::fuzz::scratchFile("band.ini", bytes)));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string once = readAndWriteAgain(quillary::fuzz::bytesOf(data, size));
  // Numbers may lose digits once; from then on writing changes nothing.
  const std::string twice = readAndWriteAgain(once);
  FUZZ_CHECK(readAndWriteAgain(twice) == twice);
  return 0;
}
