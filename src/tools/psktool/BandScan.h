#pragma once
// The band scan on an engine: the stations of one mode that the band's
// spectrum shows, each read by a receive channel of its own (channel 0, the
// terminal's, is left alone). The stations known outlive the engine, so a
// recording can be read twice: once to find them, once to read each from
// the beginning.
#include <string>
#include <vector>

#include "psk/PskEngine.h"
#include "psk/PskMode.h"

namespace psktool {

class BandScan {
 public:
  struct Settings {
    quillary::psk::PskMode mode;
    double lowHz = 200, highHz = 3500;
    int squelch = 30;
  };
  struct Station {
    double hz = 0;     // where it was found
    int channel = 0;   // 0 while it has none
    std::string text;  // everything its channel decoded
  };

  explicit BandScan(Settings settings) : settings_(settings) {}
  const Settings& settings() const { return settings_; }

  // Adds the stations the engine's spectrum has shown at the same place
  // for the last few looks, and that are not known yet.
  void discover(quillary::psk::PskEngine& engine);
  // Gives every known station without one a channel (as many as there are).
  void listen(quillary::psk::PskEngine& engine);
  // Takes in what the channels have decoded.
  void collect(quillary::psk::PskEngine& engine);
  // The known stations, lowest first, at the frequency their channel is on
  // (two whose channels have come to the same station are one).
  std::vector<Station> stations(quillary::psk::PskEngine& engine) const;
  // Forgets the channels and the text, keeps the stations (for another engine).
  void restart();

 private:
  struct Candidate {
    double hz = 0;
    int looks = 0;  // seen at the same place this many looks running
  };
  bool known(quillary::psk::PskEngine& engine, double hz) const;

  Settings settings_;
  std::vector<Candidate> candidates_;
  std::vector<Station> stations_;
  int nextChannel_ = 1;
};

// `text` with its control characters shown as spaces, for one line.
std::string oneLine(const std::string& text);

}  // namespace psktool
