#pragma once
// The macro editor frmMacro: the seven menus' titles and texts for editing,
// and a list of tokens to append to the text box clicked last. It is not
// modal. Closing it writes all seven macro files and hands the titles and
// texts to the main window at once.
#include <QWidget>
#include <array>
#include <cstdint>

#include "macros/MacroFiles.h"
#include "window/Form1Context.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace quillary {

class MacroEditor : public QWidget {
 public:
  static constexpr int16_t kNoBoxSelected = 999;

  // Created hidden, as a window of its own over the main window; the load
  // (placement, fonts, the files read) runs here.
  MacroEditor(Form1Context& context, MacroFileWriter write);

  // Reads macro file k into the title and text boxes of element k - 1.
  void Set_File(int k);
  void Menu_Set();
  // Writes the seven files and updates the main window's buttons and macro
  // table. Menus whose file could not be written are named in one message;
  // their old files stay as they were. A file that was cut at its reading
  // and whose menu was not edited is left as it is, so nothing of it is lost.
  void Set_Again();

  int16_t selectedBox() const { return selectedBox_; }

  std::array<QLabel*, 7> Label1{};
  std::array<QLineEdit*, 7> Text2{};       // titles
  std::array<QPlainTextEdit*, 7> Text1{};  // texts
  QComboBox* Combo8 = nullptr;             // tokens to insert

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void build();
  void load();
  void insertToken(int index);

  Form1Context& context_;
  MacroFileWriter write_;
  int16_t selectedBox_ = kNoBoxSelected;
  std::array<std::optional<MacroMenu>, 7> cutAtReading_;  // as shown, for files over the cap
};

// "Macro": shows the editor, creating and loading it when none is open.
void onMacroButtonClicked(Form1Context& context);
// The same with another file writer (a folder that refuses writes).
MacroEditor& showMacroEditor(Form1Context& context, MacroFileWriter write);
// The open editor, or nullptr. (closeMacroEditor is in MacroMenus.h.)
MacroEditor* openMacroEditor(Form1Context& context);
void connectMacroEditor(Form1Context& context);

}  // namespace quillary
