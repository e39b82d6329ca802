#pragma once
// The receive area on a QPlainTextEdit. The box keeps a line end as one
// paragraph break; it is counted as the two characters CR LF, so the cut
// happens at the same size however the text is stored. A backspace right
// after a line end removes the whole break, as it looks to the operator.
// Every operation works at the end of the document through a cursor, never
// by rewriting the whole text.
#include "link/ReceiveArea.h"

class QPlainTextEdit;

namespace quillary {

class PlainTextReceiveArea final : public ReceiveArea {
 public:
  // Received text cannot be undone, so the box keeps no undo history; it
  // would otherwise grow with every character for as long as the program runs.
  explicit PlainTextReceiveArea(QPlainTextEdit& box);

  qsizetype length() const override;
  void keepLast(qsizetype count) override;
  void append(const QString& text) override;
  void removeLast() override;

 private:
  void showEnd();

  QPlainTextEdit& box_;
};

}  // namespace quillary
