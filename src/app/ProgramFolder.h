#pragma once
// Where the main window keeps its files.
#include <QStringList>
#include <filesystem>
#include <string>

namespace quillary {

// The whole argument text after the program name, arguments joined by one
// blank each.
std::string argumentText(const QStringList& arguments);

// The test folder ("c:\bb" on Windows, "~/bb" elsewhere) when the argument
// text is exactly "TEST"; the current directory otherwise. The folder is not
// created: a missing one reads and writes nothing.
std::filesystem::path programFolderFor(const std::string& argumentText,
                                       const std::filesystem::path& currentDirectory,
                                       const std::filesystem::path& homeDirectory);

}  // namespace quillary
