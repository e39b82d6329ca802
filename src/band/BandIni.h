#pragma once
// "band.ini" in the program folder: whether the band window was open at
// shut-down (so that it opens again at the next start), its place and size
// in twips, and the part of the band its waterfall showed. The field
// syntax of "psk.ini": one number a line in plain decimal, CR LF:
//   1  1 open, 0 closed
//   2  Top      3  Left      4  Width      5  Height
//   6  the waterfall's low edge in Hz      7  its high edge
// Read as "psk.ini" is: reading stops at the first line missing or not
// holding what it should, and everything from there keeps its default.
#include <filesystem>
#include <optional>
#include <string>

#include "band/BandView.h"

namespace quillary {

struct BandPlace {
  double top = 0, left = 0, width = 0, height = 0;  // twips
  bool operator==(const BandPlace&) const = default;
};

struct BandIni {
  bool open = false;
  std::optional<BandPlace> place;  // none: beside the main window
  FrequencySpan span = kWholeBand;
  bool operator==(const BandIni&) const = default;
};

BandIni readBandIni(const std::filesystem::path& file);
std::string formatBandIni(const BandIni& values);
// Written whole, atomically; false when it could not be.
bool writeBandIni(const std::filesystem::path& file, const BandIni& values);

}  // namespace quillary
