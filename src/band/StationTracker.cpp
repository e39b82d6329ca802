#include "band/StationTracker.h"

#include <algorithm>
#include <cmath>

#include "modem/BandReader.h"
#include "modem/ModemLibrary.h"

namespace quillary {

namespace {
// Two sightings this close (in baud) are one station; a channel's AFC
// reaches a baud, onto its station and never over to the next.
constexpr double kSameStationBaud = 0.6;
constexpr double kAfcLimitBaud = 1.0;
}  // namespace

double rowFade(double silentSeconds) {
  return std::clamp((silentSeconds - kFadeFromSeconds) / (kSilenceLimitSeconds - kFadeFromSeconds), 0.0, 1.0);
}

double modeBaud(int32_t modeCode) {
  if ((modeCode & kModeBpsk125) != 0) return 125.0;
  if ((modeCode & kModeBpsk63) != 0) return 62.5;
  return 31.25;
}

StationTracker::StationTracker(ModemLibrary& modem, BandReader& band, CodePage page, FrequencySpan searched)
    : modem_(modem), band_(band), page_(page), searched_(searched) {}

StationTracker::~StationTracker() { clear(); }

void StationTracker::look(double now, int32_t modeCode, const LevelAt& levelAt) {
  if (modeCode != modeCode_) {
    clear();
    modeCode_ = modeCode;
  }
  collect(now);
  confirm(band_.bandStations(modeCode_, searched_.lowHz, searched_.highHz), now);
  mergeConverged();
  dropSilent(now);
  // A station that has gone quiet keeps the level it had on the air: taken
  // while it prints (its spectrum, averaged over seconds, outlasts it), or
  // while it shows before it has printed.
  if (levelAt)
    for (BandStation& station : stations_)
      if (station.lastPrinted == now || (station.lastPrinted < 0 && station.lastHeard == now))
        station.snrDb = levelAt(station.hz);
}

void StationTracker::clear() {
  for (const BandStation& station : stations_) release(station);
  stations_.clear();
  sightings_.clear();
}

void StationTracker::collect(double now) {
  for (BandStation& station : stations_) {
    const std::string bytes = band_.takeReceived(station.channel);
    if (!bytes.empty()) {
      station.text.take(bytes);
      station.lastHeard = station.lastPrinted = now;
    }
    station.heard = station.heard || !bytes.empty() || modem_.fnGetSignalLevel(station.channel) > kSquelch;
    station.hz = modem_.fnGetRXFrequency(station.channel);
  }
  std::sort(stations_.begin(), stations_.end(), [](const BandStation& a, const BandStation& b) { return a.hz < b.hz; });
}

void StationTracker::confirm(const std::vector<double>& seen, double now) {
  std::vector<Sighting> sightings;
  const auto near = [this](double a, double b) { return std::abs(a - b) < sameStationHz(); };
  for (double hz : seen) {
    const auto known = std::find_if(stations_.begin(), stations_.end(),
                                    [&](const BandStation& station) { return near(station.hz, hz); });
    if (known != stations_.end()) {
      known->lastHeard = now;
      continue;
    }
    const auto before = std::find_if(sightings_.begin(), sightings_.end(),
                                     [&](const Sighting& sighting) { return near(sighting.hz, hz); });
    const int looks = before == sightings_.end() ? 1 : before->looks + 1;
    if (looks >= kConfirmingLooks) add(hz, now);
    else sightings.push_back({hz, looks});
  }
  sightings_ = std::move(sightings);
}

void StationTracker::add(double hz, double now) {
  std::vector<bool> used(BandReader::kLastChannel + 1, false);
  for (const BandStation& station : stations_) used[station.channel] = true;
  int32_t channel = BandReader::kFirstChannel;
  while (channel <= BandReader::kLastChannel && used[channel]) ++channel;
  if (channel > BandReader::kLastChannel) return;  // every channel reads a station already
  modem_.fnSetRXPSKMode(modeCode_, channel);
  modem_.fnSetRXFrequency(static_cast<int32_t>(std::lround(hz)), 0, channel);
  modem_.fnSetAFCLimit(static_cast<int32_t>(std::lround(kAfcLimitBaud * modeBaud(modeCode_))), channel);
  modem_.fnSetSquelchThreshold(kSquelch, 0, channel);
  BandStation station{nextId_++, channel, hz, StationText(page_), now};
  stations_.insert(std::upper_bound(stations_.begin(), stations_.end(), hz,
                                    [](double at, const BandStation& other) { return at < other.hz; }),
                   std::move(station));
}

// Two channels whose AFC has pulled them onto the same station: the one
// that came later goes, unless only it has heard the station.
void StationTracker::mergeConverged() {
  for (std::size_t i = 1; i < stations_.size();) {
    BandStation& lower = stations_[i - 1];
    BandStation& upper = stations_[i];
    if (upper.hz - lower.hz >= sameStationHz()) {
      ++i;
      continue;
    }
    const bool dropUpper = lower.heard != upper.heard ? lower.heard : upper.id > lower.id;
    const std::size_t dropped = dropUpper ? i : i - 1;
    release(stations_[dropped]);
    stations_.erase(stations_.begin() + static_cast<std::ptrdiff_t>(dropped));
  }
}

void StationTracker::dropSilent(double now) {
  std::erase_if(stations_, [&](const BandStation& station) {
    const double limit = station.heard ? kSilenceLimitSeconds : kUnheardLimitSeconds;
    if (now - station.lastHeard < limit) return false;
    release(station);
    return true;
  });
}

void StationTracker::release(const BandStation& station) { band_.releaseChannel(station.channel); }

double StationTracker::sameStationHz() const { return kSameStationBaud * modeBaud(modeCode_); }

}  // namespace quillary
