#include "psk/tx/MorseKeyer.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace quillary::psk {

std::string_view morseOf(char c) {
  static constexpr std::string_view kLetters[26] = {
      ".-",   "-...", "-.-.", "-..",  ".",   "..-.", "--.",  "....", "..",
      ".---", "-.-",  ".-..", "--",   "-.",  "---",  ".--.", "--.-", ".-.",
      "...",  "-",    "..-",  "...-", ".--", "-..-", "-.--", "--.."};
  static constexpr std::string_view kDigits[10] = {"-----", ".----", "..---", "...--", "....-",
                                                   ".....", "-....", "--...", "---..", "----."};
  if (c >= 'a' && c <= 'z') return kLetters[c - 'a'];
  if (c >= 'A' && c <= 'Z') return kLetters[c - 'A'];
  if (c >= '0' && c <= '9') return kDigits[c - '0'];
  switch (c) {
    case '/': return "-..-.";
    case '?': return "..--..";
    case '.': return ".-.-.-";
    case ',': return "--..--";
    case '=': return "-...-";
    case '*': return "...-.-";
    default: return "";
  }
}

MorseKeyer::MorseKeyer(double sampleRate) : sampleRate_(sampleRate) {}

bool MorseKeyer::setWordsPerMinute(double wpm) {
  if (!(wpm >= 5.0 && wpm <= 60.0)) return false;
  if (edgeSeconds_ > 0.6 / wpm) return false;
  wpm_ = wpm;
  return true;
}

bool MorseKeyer::setEdgeSeconds(double seconds) {
  if (!(seconds >= 0.0005 && seconds <= 0.02) || seconds > ditSeconds() / 2) return false;
  edgeSeconds_ = seconds;
  return true;
}

void MorseKeyer::addSegment(bool keyed, int units) {
  segments_.push_back({keyed, static_cast<std::size_t>(std::lround(units * ditSeconds() * sampleRate_))});
}

void MorseKeyer::load(std::string_view text) {
  segments_.clear();
  segment_ = 0;
  position_ = 0;
  bool pendingWordSpace = false;
  for (char c : text) {
    if (c == ' ') {
      pendingWordSpace = true;
      continue;
    }
    const std::string_view code = morseOf(c);
    if (code.empty()) continue;
    // Before a character: a character space (also before the first, to part
    // it from the postamble), or a word space after a blank. It replaces the
    // element space that ended the previous character.
    const int gap = pendingWordSpace && !segments_.empty() ? 7 : 3;
    if (!segments_.empty()) segments_.pop_back();
    addSegment(false, gap);
    pendingWordSpace = false;
    for (char element : code) {
      addSegment(true, element == '-' ? 3 : 1);
      addSegment(false, 1);
    }
  }
  if (!segments_.empty()) segments_.pop_back();  // nothing after the last element
  // Each element is lengthened by one edge and the gap after it shortened as
  // much, so the envelope crosses half amplitude at the nominal key times.
  const std::size_t edge = edgeSamples();
  for (std::size_t i = 0; i < segments_.size(); ++i) {
    if (!segments_[i].keyed) continue;
    segments_[i].samples += edge;
    if (i + 1 < segments_.size()) segments_[i + 1].samples -= edge;
  }
}

std::size_t MorseKeyer::edgeSamples() const {
  return static_cast<std::size_t>(std::lround(edgeSeconds_ * sampleRate_));
}

std::size_t MorseKeyer::samplesLeft() const {
  if (done()) return 0;
  std::size_t left = segments_[segment_].samples - position_;
  for (std::size_t i = segment_ + 1; i < segments_.size(); ++i) left += segments_[i].samples;
  return left;
}

float MorseKeyer::keyedGain(std::size_t n, std::size_t length) const {
  const std::size_t edge = edgeSamples();
  const std::size_t fromEdge = std::min(n, length - 1 - n);  // distance to the nearer end
  if (fromEdge >= edge) return 1.0f;
  return static_cast<float>(0.5 - 0.5 * std::cos(std::numbers::pi * (fromEdge + 0.5) / edge));
}

std::size_t MorseKeyer::process(std::size_t count, float* out) {
  std::size_t written = 0;
  while (written < count && !done()) {
    const Segment& segment = segments_[segment_];
    const std::size_t take = std::min(count - written, segment.samples - position_);
    for (std::size_t i = 0; i < take; ++i)
      out[written + i] = segment.keyed ? keyedGain(position_ + i, segment.samples) : 0.0f;
    written += take;
    position_ += take;
    if (position_ == segment.samples) {
      ++segment_;
      position_ = 0;
    }
  }
  return written;
}

}  // namespace quillary::psk
