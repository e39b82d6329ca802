#include "link/ReceivedText.h"

namespace quillary {

namespace {
constexpr uint8_t kBackspace = 8;
constexpr uint8_t kCarriageReturn = 13;
constexpr uint8_t kLineFeed = 10;

QString firstCharacter(const QString& text) {
  if (text.size() > 1 && text.at(0).isHighSurrogate()) return text.left(2);
  return text.left(1);
}
}  // namespace

ReceivedText::ReceivedText(CodePage page) {
  for (int byte = 0; byte < 256; ++byte) {
    singleBytes_[byte] = QString::fromStdString(singleByteChar(static_cast<uint8_t>(byte), page));
  }
}

bool ReceivedText::isLeadByte(uint8_t byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

std::optional<QString> ReceivedText::take(int32_t wParam, int32_t lParam, bool kanjiMode,
                                          ReceiveArea& area) {
  if (lParam != 0 && lParam != -1) return std::nullopt;
  // A code that is no byte cannot be a received character; taking only its
  // low byte would show a character that never came over the air.
  if (wParam < 0 || wParam > 255) return std::nullopt;
  if (area.length() > kCutAbove) area.keepLast(kKeepAfterCut);
  return takeByte(static_cast<uint8_t>(wParam), kanjiMode, area);
}

std::optional<QString> ReceivedText::takeByte(uint8_t byte, bool kanjiMode, ReceiveArea& area) {
  if (kanjiMode && pendingLead_ == 0 && isLeadByte(byte)) {
    pendingLead_ = byte;
    return std::nullopt;
  }
  switch (byte) {
    case kBackspace:
      if (area.length() > 1) area.removeLast();
      return std::nullopt;
    case kCarriageReturn:
      return endLine(area);
    case kLineFeed:
      pendingLead_ = 0;
      return std::nullopt;
    default:
      break;
  }
  if (pendingLead_ != 0) {
    show(firstCharacter(QString::fromStdString(shiftJisPair(pendingLead_, byte))), area);
    pendingLead_ = 0;
  } else {
    show(singleBytes_[byte], area);
  }
  return std::nullopt;
}

std::optional<QString> ReceivedText::endLine(ReceiveArea& area) {
  area.append(QStringLiteral("\r\n"));
  pendingLead_ = 0;  // a lead byte still waiting for its trail is lost
  if (line_.isEmpty()) return std::nullopt;
  QString finished;
  finished.swap(line_);
  return finished;
}

// The line is cut back by the receive area's own rule: a station that never
// ends its line (a beacon, noise with the squelch open) must not grow it
// for hours, and no line longer than the area could show is handed on.
void ReceivedText::show(const QString& character, ReceiveArea& area) {
  area.append(character);
  line_ += character;
  if (line_.size() > kCutAbove) line_ = line_.right(kKeepAfterCut);
}

}  // namespace quillary
