#include "transmit/OwnCall.h"

#include <QLineEdit>

#include "app/Dialogs.h"
#include "app/Form1Controls.h"

namespace quillary {

bool requireOwnCall(Form1Context& context) {
  if (!context.controls.Text4->text().isEmpty()) return true;
  context.dialogs.message(QStringLiteral("Input your call sign"), Dialogs::Buttons::Ok);
  return false;
}

}  // namespace quillary
