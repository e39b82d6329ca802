#include "app/ModemSetup.h"

#include "psk/PskModem.h"

namespace quillary {

ModemParts makeModemParts() {
  psk::PskModem engine = psk::makePskModem();
  return {std::move(engine.devices), std::move(engine.engine), psk::serialPortTooltip(), std::move(engine.station)};
}

}  // namespace quillary
