// The unload sequence of the main window: the modem stops before the hook
// goes, and both happen before any file is touched. Every step is attempted
// even when an earlier one fails; a file that cannot be written is skipped.
#include <QComboBox>
#include <QLineEdit>
#include <QtGlobal>
#include <exception>

#include "app/Form1.h"
#include "app/SettingsFiles.h"
#include "band/BandWindowHandlers.h"
#include "link/ModemEventHook.h"
#include "macros/MacroMenus.h"
#include "macros/NameLog.h"
#include "modem/ModemLibrary.h"

namespace quillary {

namespace {

// Runs one unload step; a step that throws is reported and the next one runs.
template <class Step>
void attempt(const char* what, Step&& step) {
  try {
    step();
  } catch (const std::exception& error) {
    qWarning("Quillary: %s failed at shut-down: %s", what, error.what());
  } catch (...) {
    qWarning("Quillary: %s failed at shut-down", what);
  }
}

// A file that cannot be written is skipped without a message box, as the
// operator is closing the program; it is still reported on the console.
void reportUnwritten(bool written, const std::filesystem::path& file) {
  if (!written) qWarning("Quillary: %s could not be written", file.string().c_str());
}

// The settings writer takes UTF-8 and writes the system code page.
std::string settingsText(const QString& text) { return text.toStdString(); }

}  // namespace

void Form1::runUnloadSequence() {
  unloaded_ = true;
  attempt("stopping the modem", [this] { modem_.fnStopSoundCard(); });
  attempt("removing the hook", [this] { removeHook(); });
  writeSettingsFiles();
  attempt("closing the macro editor", [this] { closeMacroEditor(context_); });
  attempt("closing the band window", [this] { closeBandWindow(context_); });
}

void Form1::removeHook() {
  if (!hook_) return;
  removeEventFilter(hook_.get());
  hook_.reset();
}

void Form1::writeSettingsFiles() {
  const std::filesystem::path& folder = state_.programFolder;
  attempt("writing psk.ini", [&] {
    PskIniWrite values;
    values.top = topTwips();
    values.left = leftTwips();
    values.ownCall = settingsText(controls_.Text4->text());
    values.squelch = state_.squelch;
    values.searchHalfWidth = settingsText(controls_.Combo4->currentText());
    values.width = widthTwips();
    values.height = heightTwips();
    values.smoothing = settingsText(controls_.Combo1->currentText());
    values.bias = settingsText(controls_.Combo2->currentText());
    values.commPort = settingsText(controls_.Combo5->currentText());
    reportUnwritten(writePskIni(folder / "psk.ini", values), folder / "psk.ini");
  });
  attempt("writing sound.ini", [&] {
    if (state_.soundReset == 0)
      reportUnwritten(writeSoundIni(folder / "sound.ini", state_.soundDevice, state_.soundDeviceName),
                      folder / "sound.ini");
  });
  attempt("writing name.ini", [&] {
    if (!state_.nameLogPath.empty())
      reportUnwritten(writeNameIni(folder, state_.nameLogPath), folder / "name.ini");
  });
}

}  // namespace quillary
