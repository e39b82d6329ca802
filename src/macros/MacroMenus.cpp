#include "macros/MacroMenus.h"

#include <QPushButton>

#include "common/AtomicFile.h"
#include "macros/MacroFiles.h"
#include "window/Form1Context.h"
#include "window/Form1Controls.h"
#include "window/MainState.h"
#include "window/TwipsWindow.h"
#include "window/UnwrittenFiles.h"

namespace quillary {

void Set_File(Form1Context& context, int k) {
  const std::optional<MacroMenu> menu = loadMacroFile(
      context.state.programFolder, k, &readMacroForButton,
      [&context](const std::filesystem::path& file, std::string_view bytes) { return writeOrReport(context, file, bytes); });
  if (!menu) return;
  setMacroTitle(context, k, menu->title);
  setMacroText(context, k, menu->text);
}

void Menu_Set(Form1Context& context) {
  for (int k = 1; k <= kMacroCount; ++k) Set_File(context, k);
}

void setMacroTitle(Form1Context& context, int k, const QString& title) {
  context.controls.Command9[k - 1]->setText(title);
}

void setMacroText(Form1Context& context, int k, const QString& text) {
  context.state.macros[k - 1] = text.toStdString();
  context.controls.Command9[k - 1]->setToolTip(text);
}

}  // namespace quillary
