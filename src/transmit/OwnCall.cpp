#include "transmit/OwnCall.h"

#include <QLineEdit>

#include "window/Dialogs.h"
#include "window/Form1Controls.h"

namespace quillary {

bool requireOwnCall(Form1Context& context) {
  if (!context.controls.Text4->text().isEmpty()) return true;
  context.dialogs.message(QStringLiteral("Input your call sign"), Dialogs::Buttons::Ok);
  return false;
}

}  // namespace quillary
