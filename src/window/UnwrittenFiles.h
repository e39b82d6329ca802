#pragma once
// Files the program could not write. Every one is reported on the console;
// the operator is told of the first in a message box. A read-only or full
// program folder refuses every file, and one clear message says so rather
// than a box for each file or none at all.
#include <QString>
#include <filesystem>
#include <string_view>

#include "window/Form1Context.h"

namespace quillary {

// `message` is the box's text should this be the session's first failure;
// empty: the usual "Cannot write ..." text for the file.
void reportUnwritten(Form1Context& context, const std::filesystem::path& file, const QString& message = {});

// Writes the file whole (atomically) and reports it when it cannot.
bool writeOrReport(Form1Context& context, const std::filesystem::path& file, std::string_view bytes);

}  // namespace quillary
