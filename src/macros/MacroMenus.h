#pragma once
// The seven macro menus on the main window: their files read into the
// macro table and the send buttons' captions and tooltips.
#include <QString>

#include "window/Form1Context.h"

namespace quillary {

// Reads macro file k (1..7) into macro table entry k and the caption and
// tooltip of Command9 element k - 1. A missing file is created empty and
// changes nothing; the button keeps its caption and the entry stays empty.
void Set_File(Form1Context& context, int k);
// Set_File for k = 1..7.
void Menu_Set(Form1Context& context);

// What the editor hands over when it closes: menu k's title becomes the
// caption of its button, its text (kept exactly) the table entry and the
// tooltip.
void setMacroTitle(Form1Context& context, int k, const QString& title);
void setMacroText(Form1Context& context, int k, const QString& text);

// Closes the macro editor if it is open, which stores the menus; the main
// window's unload calls it.
void closeMacroEditor(Form1Context& context);

}  // namespace quillary
