#include "macros/NameLog.h"

#include "common/AtomicFile.h"
#include "common/CodePage.h"

namespace quillary {

void Read_Name_Init(Form1Context&) {
  // Not built yet: "name.ini" and the name log are read here once the name
  // log lands.
}

std::string formatNameIni(const std::string& nameLogPath) {
  return toCodePage(nameLogPath, systemCodePage()) + "\r\n";
}

bool writeNameIni(const std::filesystem::path& folder, const std::string& nameLogPath) {
  return writeFileAtomically(folder / "name.ini", formatNameIni(nameLogPath));
}

}  // namespace quillary
