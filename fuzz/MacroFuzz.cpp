// Any bytes as a macro file and as a macro text: both readers end, and the
// expansion with values free of tokens ends and leaves no token behind;
// "<RX>" leaves the text ending in its one blank.
#include <QString>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "macros/MacroFiles.h"
#include "transmit/MacroExpansion.h"

namespace {

void check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  quillary::readMacroForButton(bytes);
  quillary::readMacroForEditor(bytes);

  const quillary::MacroValues values{"MYCALL", "HISCALL", "OPNAME", "Good Evening"};
  const QString text = QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
  const quillary::ExpandedMacro expanded = quillary::expandMacro(text, values);
  for (const char* token : {"<MY>", "<OM>", "<GM>", "<HIS>", "<TX>", "<RX>"})
    check(!expanded.text.contains(QLatin1StringView(token), Qt::CaseInsensitive));
  if (expanded.receive) check(expanded.text.endsWith(QLatin1Char(' ')));
  return 0;
}
