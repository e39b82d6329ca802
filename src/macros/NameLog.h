#pragma once
#include <filesystem>
#include <string>

#include "app/Form1Context.h"

namespace quillary {

// Reads "name.ini" (the name log's path) and then the name log.
// NOT BUILT YET: neither file is read; the path stays empty and the name
// count 0 until the name log lands.
void Read_Name_Init(Form1Context& context);

// The bytes of "name.ini": the path unchanged (no quotes), CR LF. The path
// is UTF-8 text and is written in the system code page.
std::string formatNameIni(const std::string& nameLogPath);
// Writes "name.ini" in `folder` whole; false when it could not be written.
bool writeNameIni(const std::filesystem::path& folder, const std::string& nameLogPath);

}  // namespace quillary
