#pragma once
// Fonts of the main window: the uniform start-up fonts, "RX Font" and
// "TX Font" through the font dialog, and the Kanji mode with its Japanese
// font. Nothing of this is saved.
#include <QString>

#include "window/Form1Context.h"

class QWidget;

namespace quillary {

// "ＭＳ Ｐゴシック", the font the Kanji mode asks for.
QString japaneseFontName();

// Gives the widget's font the name `family`; size and weight stay. The
// Japanese font name is followed by free Japanese fonts, so a system
// without it still shows Kanji in a Japanese font; the request still names
// it first, and a system that has it uses it.
void setFontName(QWidget& widget, const QString& family);

// The uniform start-up fonts: "Arial" for the window and a set of its
// controls, most of them at 8 or 9 points. Other controls keep their
// design-time fonts.
void Font_Set(Form1Context& context);

// "Kanji": flips the Kanji mode, its caption and the text areas' font name.
void onKanjiClicked(Form1Context& context);
// "RX Font" (Term) and "TX Font" (Text5): the font dialog's name, size and
// bold setting, unless the operator cancels.
void onReceiveFontClicked(Form1Context& context);
void onTransmitFontClicked(Form1Context& context);
void connectFonts(Form1Context& context);

}  // namespace quillary
