#include "logbook/Band.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace quillary {

namespace {

struct Band {
  const char* name;
  int64_t lowHz;
  int64_t highHz;
};

// The band edges of ADIF 3.1's Band enumeration.
constexpr Band kBands[] = {
    {"2190m", 135'700, 137'800},
    {"630m", 472'000, 479'000},
    {"560m", 501'000, 504'000},
    {"160m", 1'800'000, 2'000'000},
    {"80m", 3'500'000, 4'000'000},
    {"60m", 5'060'000, 5'450'000},
    {"40m", 7'000'000, 7'300'000},
    {"30m", 10'100'000, 10'150'000},
    {"20m", 14'000'000, 14'350'000},
    {"17m", 18'068'000, 18'168'000},
    {"15m", 21'000'000, 21'450'000},
    {"12m", 24'890'000, 24'990'000},
    {"10m", 28'000'000, 29'700'000},
    {"6m", 50'000'000, 54'000'000},
    {"4m", 70'000'000, 71'000'000},
    {"2m", 144'000'000, 148'000'000},
    {"1.25m", 222'000'000, 225'000'000},
    {"70cm", 420'000'000, 450'000'000},
    {"33cm", 902'000'000, 928'000'000},
    {"23cm", 1'240'000'000, 1'300'000'000},
    {"13cm", 2'300'000'000, 2'450'000'000},
    {"9cm", 3'300'000'000, 3'500'000'000},
    {"6cm", 5'650'000'000, 5'925'000'000},
    {"3cm", 10'000'000'000, 10'500'000'000},
};

}  // namespace

std::optional<std::string> bandOf(int64_t hz) {
  for (const Band& band : kBands) {
    if (hz >= band.lowHz && hz <= band.highHz) return std::string(band.name);
  }
  return std::nullopt;
}

std::string megahertzText(int64_t hz) {
  char text[32];
  std::snprintf(text, sizeof text, "%lld.%06lld", static_cast<long long>(hz / 1'000'000),
                static_cast<long long>(hz % 1'000'000));
  return text;
}

std::optional<int64_t> hertzOfMegahertz(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  double megahertz = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), megahertz);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  if (!(megahertz > 0) || megahertz > 1e6) return std::nullopt;
  return static_cast<int64_t>(std::llround(megahertz * 1e6));
}

}  // namespace quillary
