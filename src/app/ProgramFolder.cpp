#include "app/ProgramFolder.h"

namespace quillary {

std::string argumentText(const QStringList& arguments) {
  return arguments.mid(1).join(QLatin1Char(' ')).toStdString();
}

std::filesystem::path programFolderFor(const std::string& argumentText,
                                       const std::filesystem::path& currentDirectory,
                                       const std::filesystem::path& homeDirectory) {
  if (argumentText != "TEST") return currentDirectory;
#ifdef _WIN32
  (void)homeDirectory;
  return std::filesystem::path("c:\\bb");
#else
  return homeDirectory / "bb";
#endif
}

}  // namespace quillary
