#pragma once
// Builds the main window's controls as designed: names, places, captions,
// texts, lists, fonts and tooltips. Nothing is connected here.
#include "window/ControlMaker.h"
#include "window/Form1Controls.h"

class QWidget;

namespace quillary {

void buildForm1(QWidget& window, const ControlMaker& make, Form1Controls& c);

// The parts, one per container.
void buildControlPanel(const ControlMaker& make, Form1Controls& c);   // inside Frame2
void buildModeFrame(const ControlMaker& make, Form1Controls& c);     // inside Frame1
void buildFftFrame(const ControlMaker& make, Form1Controls& c);      // inside Frame3
void buildTransmitPanel(const ControlMaker& make, Form1Controls& c); // inside Frame5

// Tooltips for the controls whose captions do not explain them.
void addOperatorHelp(Form1Controls& c);

}  // namespace quillary
