#pragma once
// The seven macro files cmd1.txt..cmd7.txt: a title line, then the menu's
// text as it stood in the editor (CR LF line ends, none added after it), in
// the system code page. The main window and the editor read them
// differently: the window takes the text lines as fields (a comma splits a
// line, leading blanks go, numbers come back in plain decimal, every line
// ends with CR LF); the editor takes them as whole lines.
#include <QString>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace quillary {

inline constexpr int kMacroCount = 7;

struct MacroMenu {
  QString title;
  QString text;
  bool cut = false;  // read from a file longer than the cap: its first part only
};

// Writes a file whole; false when it could not be written. The program
// writes through writeFileAtomically; tests put a folder that refuses
// writes in its place.
using MacroFileWriter = std::function<bool(const std::filesystem::path&, std::string_view)>;

// cmd<k>.txt in `folder`, k = 1..7.
std::filesystem::path macroFile(const std::filesystem::path& folder, int k);

// The menu as the main window reads it; nullopt for an empty file.
std::optional<MacroMenu> readMacroForButton(std::string_view bytes);
// The menu as the editor reads it; nullopt for an empty file.
std::optional<MacroMenu> readMacroForEditor(std::string_view bytes);
// The bytes of a macro file.
std::string formatMacroFile(const QString& title, const QString& text);

// Reads macro file `k` with `read`, up to the cap. A missing file is
// created empty (a menu never stored); an empty one is left so; nullopt in
// both cases and for a file that cannot be read, which is left untouched.
std::optional<MacroMenu> loadMacroFile(const std::filesystem::path& folder, int k,
                                       std::optional<MacroMenu> (*read)(std::string_view),
                                       const MacroFileWriter& write);

}  // namespace quillary
