#include "BandScan.h"

#include <algorithm>
#include <cmath>

namespace psktool {
namespace {
// Two sightings this close (in baud) are one station; one must be seen at
// the same place this many looks running (two seconds at a look every
// half second) before it counts: noise throws up a bump now and then, and
// a station switching on spreads over the band for a moment.
constexpr double kSameStationBaud = 0.6;
constexpr int kConfirmingLooks = 4;
// Each channel's AFC reaches a baud: onto its station, never over to the
// next.
constexpr double kAfcLimitBaud = 1.0;
}  // namespace

using quillary::psk::PskEngine;

bool BandScan::known(PskEngine& engine, double hz) const {
  return std::any_of(stations_.begin(), stations_.end(), [&](const Station& station) {
    const double on = station.channel > 0 ? engine.fnGetRXFrequency(station.channel) : station.hz;
    return std::abs(on - hz) < kSameStationBaud * settings_.mode.baud();
  });
}

void BandScan::discover(PskEngine& engine) {
  std::vector<Candidate> seen;
  for (double hz : engine.bandStations(settings_.mode.code, settings_.lowHz, settings_.highHz)) {
    if (known(engine, hz)) continue;
    const auto before = std::find_if(candidates_.begin(), candidates_.end(), [&](const Candidate& candidate) {
      return std::abs(candidate.hz - hz) < kSameStationBaud * settings_.mode.baud();
    });
    const int looks = before == candidates_.end() ? 1 : before->looks + 1;
    if (looks >= kConfirmingLooks) stations_.push_back({hz, 0, {}});
    else seen.push_back({hz, looks});
  }
  candidates_ = std::move(seen);
}

void BandScan::listen(PskEngine& engine) {
  const int afcLimit = static_cast<int>(std::lround(kAfcLimitBaud * settings_.mode.baud()));
  for (Station& station : stations_) {
    if (station.channel > 0 || nextChannel_ >= PskEngine::kMaxChannels) continue;
    const int channel = nextChannel_++;
    engine.fnSetRXPSKMode(settings_.mode.code, channel);
    engine.fnSetRXFrequency(static_cast<int32_t>(std::lround(station.hz)), 0, channel);
    engine.fnSetAFCLimit(afcLimit, channel);
    engine.fnSetSquelchThreshold(settings_.squelch, 0, channel);
    station.channel = channel;
  }
}

void BandScan::collect(PskEngine& engine) {
  for (Station& station : stations_)
    if (station.channel > 0) station.text += engine.takeReceived(station.channel);
}

std::vector<BandScan::Station> BandScan::stations(PskEngine& engine) const {
  std::vector<Station> all = stations_;
  for (Station& station : all)
    if (station.channel > 0) station.hz = engine.fnGetRXFrequency(station.channel);
  std::sort(all.begin(), all.end(), [](const Station& a, const Station& b) { return a.hz < b.hz; });
  std::vector<Station> list;
  for (Station& station : all) {
    if (!list.empty() && station.hz - list.back().hz < kSameStationBaud * settings_.mode.baud()) {
      if (station.text.size() > list.back().text.size()) list.back() = std::move(station);
      continue;
    }
    list.push_back(std::move(station));
  }
  return list;
}

void BandScan::restart() {
  nextChannel_ = 1;
  candidates_.clear();
  for (Station& station : stations_) {
    station.channel = 0;
    station.text.clear();
  }
}

std::string oneLine(const std::string& text) {
  std::string line = text;
  std::replace_if(line.begin(), line.end(), [](char c) { return static_cast<unsigned char>(c) < 32; }, ' ');
  return line;
}

}  // namespace psktool
