#include "app/ModemSetup.h"

#include "app/OfflineModem.h"

namespace quillary {

ModemParts makeModemParts() {
  // The offline stand-ins until the psk engine is wired in.
  return {std::make_unique<OfflineModem>(), std::make_unique<NoSoundDevices>()};
}

}  // namespace quillary
