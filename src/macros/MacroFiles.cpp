#include "macros/MacroFiles.h"

#include <QtGlobal>

#include "common/CodePage.h"
#include "common/FieldReader.h"
#include "macros/CappedFile.h"

namespace quillary {

namespace {

QString text(std::string_view bytes) {
  return QString::fromStdString(fromCodePage(bytes, systemCodePage()));
}

// The first field, read as a general value (a number in plain decimal).
std::optional<QString> readTitle(FieldReader& reader) {
  Field field;
  if (reader.next(field) != FieldStatus::Ok) return std::nullopt;
  return text(generalValueText(field));
}

// Whole lines ended by CR or CR LF; each comes back with CR LF.
QString wholeLines(std::string_view rest) {
  QString lines;
  while (!rest.empty()) {
    const std::size_t end = std::min(rest.find('\r'), rest.size());
    lines += text(rest.substr(0, end)) + QStringLiteral("\r\n");
    std::size_t next = end + 1;
    if (next < rest.size() && rest[next] == '\n') ++next;
    rest.remove_prefix(std::min(next, rest.size()));
  }
  return lines;
}

}  // namespace

std::filesystem::path macroFile(const std::filesystem::path& folder, int k) {
  return folder / ("cmd" + std::to_string(k) + ".txt");
}

std::optional<MacroMenu> readMacroForButton(std::string_view bytes) {
  FieldReader reader{std::string(bytes)};
  std::optional<QString> title = readTitle(reader);
  if (!title) return std::nullopt;
  MacroMenu menu{*title, QString()};
  Field field;
  while (reader.next(field) == FieldStatus::Ok)
    menu.text += text(generalValueText(field)) + QStringLiteral("\r\n");
  return menu;
}

std::optional<MacroMenu> readMacroForEditor(std::string_view bytes) {
  FieldReader reader{std::string(bytes)};
  std::optional<QString> title = readTitle(reader);
  if (!title) return std::nullopt;
  return MacroMenu{*title, wholeLines(reader.rest())};
}

std::string formatMacroFile(const QString& title, const QString& text) {
  return toCodePage((title + QStringLiteral("\r\n") + text).toStdString(), systemCodePage());
}

std::optional<MacroMenu> loadMacroFile(const std::filesystem::path& folder, int k,
                                       std::optional<MacroMenu> (*read)(std::string_view),
                                       const MacroFileWriter& write) {
  const std::filesystem::path file = macroFile(folder, k);
  if (const std::optional<CappedFile> capped = readCapped(file, kMacroFileReadLimit)) {
    std::optional<MacroMenu> menu = read(capped->bytes);
    if (menu) menu->cut = capped->cut;
    return menu;
  }
  std::error_code error;
  const bool missing = !std::filesystem::exists(file, error) && !error;
  if (!missing) {
    qWarning("Quillary: %s cannot be read", file.string().c_str());
  } else if (!write(file, "")) {
    qWarning("Quillary: %s cannot be created", file.string().c_str());
  }
  return std::nullopt;
}

}  // namespace quillary
