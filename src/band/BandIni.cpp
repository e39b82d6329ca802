#include "band/BandIni.h"

#include <array>
#include <cmath>

#include "common/AtomicFile.h"
#include "common/FieldReader.h"
#include "common/Numbers.h"

namespace quillary {

namespace {

// No window is smaller than a few controls, none larger than a wall of
// screens; and "psk.ini" keeps its sizes to 16 bits too.
constexpr double kSmallestSide = 1500, kLargestTwips = 32767;
// Far enough out covers any arrangement of screens; placing keeps the
// window reachable anyway.
constexpr double kFurthestPlace = 32767;

// The next `count` numbers, or nullopt at the first field missing or not a number.
template <std::size_t N>
std::optional<std::array<double, N>> nextNumbers(FieldReader& reader) {
  std::array<double, N> numbers{};
  Field field;
  for (double& number : numbers) {
    if (reader.next(field) != FieldStatus::Ok) return std::nullopt;
    const auto value = fieldNumber(field);
    if (!value || !std::isfinite(*value)) return std::nullopt;
    number = *value;
  }
  return numbers;
}

std::optional<BandPlace> placeFrom(const std::array<double, 4>& n) {
  const BandPlace place{n[0], n[1], n[2], n[3]};
  const auto side = [](double twips) { return twips >= kSmallestSide && twips <= kLargestTwips; };
  const auto at = [](double twips) { return std::abs(twips) <= kFurthestPlace; };
  if (!at(place.top) || !at(place.left) || !side(place.width) || !side(place.height)) return std::nullopt;
  return place;
}

}  // namespace

BandIni readBandIni(const std::filesystem::path& file) {
  BandIni values;
  auto reader = FieldReader::open(file);
  if (!reader) return values;
  const auto open = nextNumbers<1>(*reader);
  if (!open || ((*open)[0] != 0 && (*open)[0] != 1)) return values;
  values.open = (*open)[0] == 1;
  const auto place = nextNumbers<4>(*reader);
  if (!place || !(values.place = placeFrom(*place))) return values;
  const auto edges = nextNumbers<2>(*reader);
  if (!edges) return values;
  if (const auto span = validSpan((*edges)[0], (*edges)[1])) values.span = *span;
  return values;
}

std::string formatBandIni(const BandIni& values) {
  std::string bytes;
  const auto line = [&bytes](double number) { bytes += plainNumber(number) + "\r\n"; };
  line(values.open ? 1 : 0);
  if (!values.place) return bytes;
  line(values.place->top);
  line(values.place->left);
  line(values.place->width);
  line(values.place->height);
  line(values.span.lowHz);
  line(values.span.highHz);
  return bytes;
}

bool writeBandIni(const std::filesystem::path& file, const BandIni& values) {
  return writeFileAtomically(file, formatBandIni(values));
}

}  // namespace quillary
