#pragma once
// What a received-character notification does to the receive area and the
// current received line: the area is cut back when it grows long, backspace,
// CR and LF are obeyed, and in Kanji mode Shift-JIS lead/trail pairs are
// joined into one character.
#include <array>
#include <cstdint>
#include <optional>

#include <QString>

#include "common/CodePage.h"
#include "link/ReceiveArea.h"

namespace quillary {

class ReceivedText {
 public:
  // The area is cut to its last kKeepAfterCut characters once it holds more
  // than kCutAbove before a character is taken; the received line is cut
  // the same way once it grows beyond kCutAbove.
  static constexpr qsizetype kCutAbove = 1000;
  static constexpr qsizetype kKeepAfterCut = 500;

  // `page` is the code page of single bytes outside Kanji pairs.
  explicit ReceivedText(CodePage page);

  // Takes one notification (wParam = byte, lParam = 0 or -1). Returns the
  // received line when a carriage return completes a non-empty one.
  std::optional<QString> take(int32_t wParam, int32_t lParam, bool kanjiMode, ReceiveArea& area);

  // The first byte of a double-byte character still waiting, 0 for none.
  uint8_t pendingLeadByte() const { return pendingLead_; }
  // The current received line, without line ends.
  const QString& line() const { return line_; }

 private:
  static bool isLeadByte(uint8_t byte);
  std::optional<QString> takeByte(uint8_t byte, bool kanjiMode, ReceiveArea& area);
  std::optional<QString> endLine(ReceiveArea& area);
  void show(const QString& character, ReceiveArea& area);

  std::array<QString, 256> singleBytes_;  // each byte as a character, decoded once
  uint8_t pendingLead_ = 0;
  QString line_;
};

}  // namespace quillary
