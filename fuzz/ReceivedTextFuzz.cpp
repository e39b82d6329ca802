// The hook's received-character path on any notifications: Kanji mode
// switching on and off, lParam values the hook must ignore, codes outside
// a byte. The receive area and the received line stay bounded, a finished
// line holds no line end, and only Kanji mode leaves a lead byte waiting (a switch
// of the mode does not drop it).
#include <QString>

#include "FuzzSupport.h"
#include "link/ReceivedText.h"

namespace {

class StringArea : public quillary::ReceiveArea {
 public:
  qsizetype length() const override { return text.size(); }
  void keepLast(qsizetype count) override { text = text.right(count); }
  void append(const QString& more) override { text += more; }
  void removeLast() override { text.chop(1); }
  QString text;
};

constexpr int32_t kLParams[] = {0, -1, 1, 0x7fffffff};

}  // namespace

// Each notification is two bytes: flags, then the byte. Flags bit 0 is the
// Kanji mode, bits 1-2 pick lParam, bit 3 moves the code out of a byte.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  quillary::ReceivedText received((data[0] & 0x80) ? quillary::CodePage::Cp932 : quillary::CodePage::Cp1252);
  StringArea area;
  bool everKanji = false;
  for (size_t i = 1; i + 1 < size; i += 2) {
    const uint8_t flags = data[i];
    const bool kanji = (flags & 1) != 0;
    everKanji = everKanji || kanji;
    const int32_t wParam = (flags & 8) ? data[i + 1] + 256 * ((flags >> 4) - 8) : data[i + 1];
    const std::optional<QString> line = received.take(wParam, kLParams[(flags >> 1) & 3], kanji, area);
    if (line) FUZZ_CHECK(!line->isEmpty() && !line->contains(QLatin1Char('\r')) && !line->contains(QLatin1Char('\n')));
    FUZZ_CHECK(area.length() <= quillary::ReceivedText::kCutAbove + 2);
    FUZZ_CHECK(received.line().size() <= quillary::ReceivedText::kCutAbove + 2);
    FUZZ_CHECK(received.pendingLeadByte() == 0 || everKanji);
  }
  return 0;
}
