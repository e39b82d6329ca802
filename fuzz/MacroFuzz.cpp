// Any bytes as a macro file and as a macro text with its four values: both
// readers end, and the expansion ends and leaves no token behind when the
// values hold none; "<RX>" leaves the text ending in its one blank.
#include <QString>
#include <QStringList>

#include "FuzzSupport.h"
#include "macros/MacroFiles.h"
#include "transmit/MacroExpansion.h"

namespace {

const char* const kTokens[] = {"<MY>", "<OM>", "<GM>", "<HIS>", "<TX>", "<RX>"};

bool holdsToken(const QString& text) {
  for (const char* token : kTokens)
    if (text.contains(QLatin1StringView(token), Qt::CaseInsensitive)) return true;
  return false;
}

}  // namespace

// The text, then the own call, his call, his name and the greeting, apart
// by NUL bytes (values missing at the end are empty).
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes = quillary::fuzz::bytesOf(data, size);
  quillary::readMacroForButton(bytes);
  quillary::readMacroForEditor(bytes);

  QStringList parts = QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size())).split(QChar(u'\0'));
  while (parts.size() < 5) parts.append(QString());
  const quillary::MacroValues values{parts[1], parts[2], parts[3], parts[4]};
  const quillary::ExpandedMacro expanded = quillary::expandMacro(parts[0], values);
  if (!holdsToken(values.ownCall) && !holdsToken(values.hisCall) && !holdsToken(values.hisName) &&
      !holdsToken(values.greeting))
    FUZZ_CHECK(!holdsToken(expanded.text));
  if (expanded.receive) FUZZ_CHECK(expanded.text.endsWith(QLatin1Char(' ')));
  return 0;
}
