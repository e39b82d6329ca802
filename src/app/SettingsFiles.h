#pragma once
// "psk.ini" and "sound.ini": read and written as plain values, no widgets.
// Texts here are UTF-8; the files hold them in the system code page.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace quillary {

// What reading "psk.ini" restores. A member without a value was not restored:
// the line is missing, or reading stopped at an earlier line (a missing or
// unreadable file, a value that does not convert). Values are already
// converted as the file's lines say (negative Top and Left become 0,
// a squelch of 0 becomes 10, width and height rounded half to even).
struct PskIniRead {
  std::optional<double> top;               // line 1, twips
  std::optional<double> left;              // line 2, twips
  std::optional<std::string> ownCall;      // line 3
  std::optional<int16_t> squelch;          // line 4
  std::optional<std::string> searchHalfWidth;  // line 5
  std::optional<int16_t> savedWidth;       // line 6, twips
  std::optional<int16_t> savedHeight;      // line 7, twips
  std::optional<std::string> smoothing;    // line 8
  std::optional<std::string> bias;         // line 9
  std::optional<std::string> commPort;     // line 10
};

// What shut-down writes to "psk.ini", as the window and controls stand.
struct PskIniWrite {
  double top = 0;
  double left = 0;
  std::string ownCall;
  int16_t squelch = 0;
  std::string searchHalfWidth;
  double width = 0;
  double height = 0;
  std::string smoothing;
  std::string bias;
  std::string commPort;
};

PskIniRead readPskIni(const std::filesystem::path& file);
// The bytes of "psk.ini": ten lines, CR LF, texts in double quotes, numbers
// in plain decimal. A double quote inside a text is dropped, since the file
// has no way to hold it.
std::string formatPskIni(const PskIniWrite& values);
bool writePskIni(const std::filesystem::path& file, const PskIniWrite& values);

struct SoundIniRead {
  int16_t device = 0;
  // The device's name as the chooser showed it, from the second line; an
  // older one-line file has none.
  std::optional<std::string> name;
};
// "sound.ini"; nullopt when the file is missing, empty (0 bytes) or its
// number is outside -32768..32767. A word or a blank first line reads as 0.
std::optional<SoundIniRead> readSoundIni(const std::filesystem::path& file);
// The number line in the padded style, " 3 " CR LF or "-1 " CR LF, then the
// name in quotes on a line of its own (none when it is not known).
std::string formatSoundIni(int16_t device, const std::string& name = {});
bool writeSoundIni(const std::filesystem::path& file, int16_t device, const std::string& name = {});

}  // namespace quillary
