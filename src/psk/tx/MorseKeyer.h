#pragma once
// The Morse keyer of the CW identification: turns text into a keying
// envelope (0..1) at a given speed, with raised-cosine key edges so the
// carrier does not click. Letters (either case), digits, "/", "?", ".", ",",
// "=", and "*" for the prosign SK; a blank is a word space; anything else is
// skipped.
#include <cstddef>
#include <string_view>
#include <vector>

#include "psk/PskMode.h"

namespace quillary::psk {

// The dots and dashes of one character ("...-.-" for '*'); "" when the
// keyer does not know it.
std::string_view morseOf(char c);

class MorseKeyer {
 public:
  explicit MorseKeyer(double sampleRate = kSampleRate);

  // False (and no change) outside 5..60 WPM. A dit lasts 1.2 / WPM seconds.
  bool setWordsPerMinute(double wpm);
  // False (and no change) outside 0.5..20 ms, or longer than half a dit.
  bool setEdgeSeconds(double seconds);
  double ditSeconds() const { return 1.2 / wpm_; }

  // Loads `text`; the envelope starts with a character space of silence
  // and ends with the last element's falling edge.
  void load(std::string_view text);
  void reset() { load({}); }
  bool done() const { return segment_ >= segments_.size(); }
  // Remaining envelope length in samples.
  std::size_t samplesLeft() const;

  // Writes up to `count` envelope samples; answers how many (fewer once done).
  std::size_t process(std::size_t count, float* out);

 private:
  struct Segment {
    bool keyed;
    std::size_t samples;
  };
  void addSegment(bool keyed, int units);
  float keyedGain(std::size_t n, std::size_t length) const;
  std::size_t edgeSamples() const;

  double sampleRate_;
  double wpm_ = 20.0;
  double edgeSeconds_ = 0.005;
  std::vector<Segment> segments_;
  std::size_t segment_ = 0;
  std::size_t position_ = 0;  // within the current segment
};

}  // namespace quillary::psk
