#include "psk/dsp/FftwPlanLock.h"

namespace quillary::psk {

std::mutex& fftwPlanMutex() {
  static std::mutex mutex;
  return mutex;
}

}  // namespace quillary::psk
