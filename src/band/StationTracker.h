#pragma once
// The stations of one mode on the band, each read by a receive channel of
// its own (1..63; channel 0, the main window's, is never touched). A
// station counts once the band's spectrum has shown it at the same place
// for a few looks running; its channel's AFC then keeps its frequency, and
// it goes, channel and all, once it has been silent for a minute. Plain
// rules on the modem's calls, no widgets: the band window looks twice a
// second.
#include <cstdint>
#include <functional>
#include <vector>

#include "band/BandView.h"
#include "band/StationText.h"

namespace quillary {

class BandReader;
class ModemLibrary;

// A station has been silent while it neither printed nor showed on the
// band's spectrum. Its row fades from kFadeFromSeconds and goes at the
// limit; a sighting its channel never heard (a burst of splatter, a
// station's sideband, a carrier switched off) goes once unseen for
// kUnheardLimitSeconds.
inline constexpr double kSilenceLimitSeconds = 60;
inline constexpr double kFadeFromSeconds = 30;
inline constexpr double kUnheardLimitSeconds = 10;

// 0 (not faded) until kFadeFromSeconds of silence, rising evenly to 1 at
// kSilenceLimitSeconds.
double rowFade(double silentSeconds);
// The symbol rate of a mode code: 31.25, 62.5 or 125.
double modeBaud(int32_t modeCode);

struct BandStation {
  int id = 0;            // stays while the station is listed
  int32_t channel = 0;
  double hz = 0;         // where its channel's AFC holds it
  StationText text;
  double lastHeard = 0;  // seconds of band time
  double lastPrinted = -1;
  double snrDb = 0;      // in 3 kHz, when it last printed
  // Its channel has printed, or read a signal above the squelch: a station,
  // not just a bump on the spectrum. Only these are listed.
  bool heard = false;
};

class StationTracker {
 public:
  // Noise alone reads about 20 on the channels' signal quality.
  static constexpr int32_t kSquelch = 30;
  // A sighting must stand at the same place this many looks running.
  static constexpr int kConfirmingLooks = 3;

  StationTracker(ModemLibrary& modem, BandReader& band, CodePage page, FrequencySpan searched = kWholeBand);
  ~StationTracker();
  StationTracker(const StationTracker&) = delete;
  StationTracker& operator=(const StationTracker&) = delete;

  // A station's signal-to-noise ratio at a frequency, in dB.
  using LevelAt = std::function<double(double hz)>;

  // One look at the band, `now` seconds into it, for stations of `modeCode`:
  // text taken in, new stations given a channel, the level taken of each
  // on the air, silent ones let go. A new mode starts the list afresh.
  void look(double now, int32_t modeCode, const LevelAt& levelAt = {});
  // Every station and its channel let go.
  void clear();
  // Lowest first.
  const std::vector<BandStation>& stations() const { return stations_; }

 private:
  struct Sighting {
    double hz = 0;
    int looks = 0;
  };
  void collect(double now);
  void confirm(const std::vector<double>& seen, double now);
  void add(double hz, double now);
  void mergeConverged();
  void dropSilent(double now);
  void release(const BandStation& station);
  double sameStationHz() const;

  ModemLibrary& modem_;
  BandReader& band_;
  CodePage page_;
  FrequencySpan searched_;
  int32_t modeCode_ = -1;
  int nextId_ = 1;
  std::vector<BandStation> stations_;
  std::vector<Sighting> sightings_;
};

}  // namespace quillary
