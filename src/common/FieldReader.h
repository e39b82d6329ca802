#pragma once
// The one reader of the program's text files: fields separated by commas and
// line ends, with double-quoted fields.
//  1. Blanks before a field are skipped.
//  2. A field that begins with a double quote runs to the next double quote;
//     the quotes are removed and commas between them belong to the field;
//     what follows up to the next comma or line end is skipped.
//  3. Any other field runs to the next comma or line end (CR LF, CR or LF);
//     the comma or line end is consumed.
//  4. An empty line gives an empty field.
//  5. Reading a field when nothing is left is an error (FieldStatus::EndOfFile).
//  6. Read as a general value, an unquoted field that reads as a number is
//     held as that number, so "073" comes back as "73" and "5.50" as "5.5".
// Blanks at the end of an unquoted field are dropped too, so " 2 " reads "2";
// a quoted field keeps every byte between its quotes. A quote that is never
// closed runs to the end of the data. A number (rule 6) is a whole field of
// optional sign, digits with an optional point and fraction (".5" and "5."
// count) and an optional exponent ("1e3"); hex, "inf" and "nan" are text.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace quillary {

struct Field {
  std::string text;     // bytes as read, quotes removed
  bool quoted = false;  // the field began with a double quote
};

enum class FieldStatus { Ok, EndOfFile };

inline constexpr std::size_t kWholeFile = static_cast<std::size_t>(-1);

// The file as bytes, at most its first `limit`; nullopt when it cannot be
// opened or read.
std::optional<std::string> readFileBytes(const std::filesystem::path& file, std::size_t limit = kWholeFile);

class FieldReader {
 public:
  explicit FieldReader(std::string bytes);
  // nullopt when the file cannot be opened or read. Beyond `limit` bytes
  // the file reads as if it ended there.
  static std::optional<FieldReader> open(const std::filesystem::path& file, std::size_t limit = kWholeFile);

  // True when no byte is left (the file's end has been reached).
  bool atEnd() const;
  // The next field; FieldStatus::EndOfFile when nothing is left to read.
  FieldStatus next(Field& field);
  // The bytes not read yet, for a file whose later part is read by lines.
  std::string_view rest() const { return std::string_view(bytes_).substr(pos_); }

 private:
  std::string bytes_;
  std::size_t pos_ = 0;
};

// Rule 6: the number a field holds, when it is unquoted and reads as one.
std::optional<double> fieldNumber(const Field& field);
// Rule 6: the field's text as a general value (numbers in plain decimal).
std::string generalValueText(const Field& field);

}  // namespace quillary
