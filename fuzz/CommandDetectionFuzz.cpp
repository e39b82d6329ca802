// Received lines as the hook hands them over (any characters but CR and
// LF), with and without the own call to skip: a command found is the line
// upper-cased, or for "/T" the PHOTO line of its call; the forwarded line
// is found again in itself (so its call is not the skipped one either), and
// "cmd_data.txt" holds exactly two lines.
#include <QString>

#include "FuzzSupport.h"
#include "common/CodePage.h"
#include "receive/CommandForwarding.h"

namespace {

// The first byte picks the code page and whether a call is skipped; the
// skipped call runs to the first NUL, the line is the rest.
struct Input {
  QString line;
  std::optional<QString> skippedCall;
};

Input split(const std::string& bytes) {
  Input input;
  if (bytes.empty()) return input;
  const auto page = (bytes[0] & 1) ? quillary::CodePage::Cp932 : quillary::CodePage::Cp1252;
  std::string rest = bytes.substr(1);
  const std::size_t nul = rest.find('\0');
  if ((bytes[0] & 2) && nul != std::string::npos) {
    input.skippedCall = QString::fromStdString(quillary::fromCodePage(rest.substr(0, nul), page)).toUpper();
    rest.erase(0, nul + 1);
  }
  input.line = QString::fromStdString(quillary::fromCodePage(rest, page));
  input.line.remove(QLatin1Char('\r')).remove(QLatin1Char('\n'));
  return input;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const Input input = split(quillary::fuzz::bytesOf(data, size));
  const std::optional<QString> command = quillary::pictureCommandIn(input.line, input.skippedCall);
  if (!command) return 0;
  if (*command != input.line.toUpper())
    FUZZ_CHECK(command->startsWith(QLatin1Char(':')) && command->endsWith(QStringLiteral("/PHOTO")));
  // The forwarded line passes the same checks, skipped call included.
  FUZZ_CHECK(quillary::pictureCommandIn(*command, input.skippedCall) == *command);
  const std::string file = quillary::commandFileBytes(*command, -10);
  std::size_t lineEnds = 0;
  for (std::size_t at = file.find("\r\n"); at != std::string::npos; at = file.find("\r\n", at + 2)) ++lineEnds;
  FUZZ_CHECK(lineEnds == 2 && file.ends_with("\r\n-10 \r\n"));
  return 0;
}
