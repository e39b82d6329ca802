#pragma once
// The small dialog that names the program run on each received picture
// command (hook.ini); opened from the log window.
#include <QDialog>

#include "window/Form1Context.h"

class QLineEdit;

namespace quillary {

class HookSettings : public QDialog {
  Q_OBJECT
 public:
  HookSettings(Form1Context& context, QWidget* parent);

 private:
  void browse();
  void save();

  Form1Context& context_;
  QLineEdit* program_;
};

}  // namespace quillary
