#pragma once
// The station name log as plain data: pairs of call sign and name read from
// the log file, at most 500 of them. The log is shared with the image
// program, so it is read only as pairs of fields and written only by
// appending one "CALL,NAME" line.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "window/NameEntries.h"

namespace quillary {

class FieldReader;

// The log is read up to here: 500 pairs of any real log fit many times
// over, and a wrong file chosen as the log (a recording, a disk image, a
// device) does not cost a read of all of it at every key typed in His Call.
inline constexpr std::size_t kNameLogReadLimit = 1 << 20;

// Reads call-and-name pairs (fields taken in pairs regardless of lines) into
// entries 1, 2, ... and sets `count` to the last entry read whole. Reading
// stops at the end of the data or before a 501st entry. Nothing is cleared
// first: a pair cut off by the end of the data leaves its call sign in the
// entry but is not counted, and entries above the new count stay as they
// were. Field bytes are in the system code page.
void readNameLog(FieldReader& reader, NameEntries& entries, int16_t& count);

// The name of the first of entries 1..count whose call sign is exactly
// `call` (whole text, case-sensitive).
std::optional<std::string> findName(const NameEntries& entries, int16_t count,
                                    std::string_view call);

// The name log's path from "name.ini": its first field, as text; nullopt
// when the file holds none.
std::optional<std::string> nameLogPathIn(FieldReader& nameIni);

// The bytes of "name.ini": the path as the file system names it, CR LF. The
// path goes in quotes only when the field reader would not give it back
// whole otherwise (a comma, a line end, a blank or tab at either end) and it holds
// no quote itself; the usual path is written exactly as it is.
std::string formatNameIni(const std::string& nameLogPath);

// False for a call or name the log could not give back as typed: one that
// begins (after blanks) with a double quote, which the field reader takes
// for a quoted field running on across the next lines, hiding every later
// entry from this program and the image program alike.
bool fitsNameLog(std::string_view value);

// The line a saved pair adds to the log: call, ",", name, CR LF, in the
// system code page, stored as typed (a comma in the name included).
std::string nameLogLine(std::string_view call, std::string_view name);

}  // namespace quillary
