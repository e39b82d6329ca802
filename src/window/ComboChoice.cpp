#include "window/ComboChoice.h"

#include <QComboBox>
#include <QLineEdit>
#include <memory>

namespace quillary {

void onComboChoice(QComboBox& box, std::function<void()> chosen) {
  // Only the operator's typing counts, not the texts the program sets. The
  // box's own handler of the end of typing runs first (it was connected when
  // the box became editable) and reports a matching text as a pick.
  auto typed = std::make_shared<bool>(false);
  QObject::connect(&box, &QComboBox::activated, &box, [typed, chosen](int) {
    *typed = false;
    chosen();
  });
  QObject::connect(box.lineEdit(), &QLineEdit::textEdited, &box, [typed] { *typed = true; });
  QObject::connect(box.lineEdit(), &QLineEdit::editingFinished, &box, [typed, chosen] {
    if (!*typed) return;
    *typed = false;
    chosen();
  });
}

}  // namespace quillary
