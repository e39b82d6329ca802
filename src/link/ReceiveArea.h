#pragma once
// The receive area as the received-character rules see it: a text that can
// be measured, grown at its end, shortened by one character or cut to its
// tail. The widget side implements these few operations cheaply, so a
// character never costs a rewrite of the whole box.
#include <QString>

namespace quillary {

class ReceiveArea {
 public:
  virtual ~ReceiveArea() = default;
  // Characters now in the area; a line end (CR LF) counts as two.
  virtual qsizetype length() const = 0;
  // Replaces the text by its last `count` characters.
  virtual void keepLast(qsizetype count) = 0;
  // Puts `text` at the end, with the caret after it.
  virtual void append(const QString& text) = 0;
  // Removes the last character, caret left at the end.
  virtual void removeLast() = 0;
};

}  // namespace quillary
