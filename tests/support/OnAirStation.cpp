#include "support/OnAirStation.h"

#include <QCoreApplication>

namespace quillary::testing {

bool pumpUntilTransmissionEnds(psk::InProcessChannel& band, Form1& sender, double maxSeconds) {
  return pumpUntilTransmissionEnds([&band](std::size_t frames) { band.pump(frames); }, sender, maxSeconds);
}

bool pumpUntilTransmissionEnds(const std::function<void(std::size_t)>& pumpBand, Form1& sender,
                               double maxSeconds) {
  constexpr std::size_t kBlock = 256;
  bool keyed = false;
  for (double seconds = 0; seconds < maxSeconds; seconds += kBlock / 8000.0) {
    pumpBand(kBlock);
    QCoreApplication::sendPostedEvents();
    keyed = keyed || sender.state().transmitterOn == 1;
    if (keyed && sender.state().transmitterOn == 0) return true;
  }
  return false;
}

}  // namespace quillary::testing
