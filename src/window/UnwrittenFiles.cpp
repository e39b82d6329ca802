#include "window/UnwrittenFiles.h"

#include <QtGlobal>

#include "common/AtomicFile.h"
#include "window/Dialogs.h"
#include "window/MainState.h"

namespace quillary {

void reportUnwritten(Form1Context& context, const std::filesystem::path& file, const QString& message) {
  qWarning("Quillary: %s could not be written", file.string().c_str());
  if (context.state.unwrittenToldOnce) return;
  context.state.unwrittenToldOnce = true;
  const QString text = !message.isEmpty()
                           ? message
                           : QStringLiteral("Cannot write %1 !! Until its folder can be written, what is saved there is lost.")
                                 .arg(QString::fromStdString(file.string()));
  context.dialogs.message(text, Dialogs::Buttons::Ok);
}

bool writeOrReport(Form1Context& context, const std::filesystem::path& file, std::string_view bytes) {
  if (writeFileAtomically(file, bytes)) return true;
  reportUnwritten(context, file);
  return false;
}

}  // namespace quillary
