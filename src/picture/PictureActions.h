#pragma once
// The picture-QSO actions of the transmit panel: the command transmissions
// HYBRID, PHOTO and HTML, the report GD COPY, the over's start (TX) and end
// (RX), the final 73 and the CQ call. The buttons Command4 and the keys F1
// to F8 of the transmit box run them.
#include "window/Form1Context.h"

namespace quillary {

// The value is the button's index in Command4.
enum class PictureAction : int { Hybrid = 0, Photo = 1, Html = 2, GdCopy = 3, Tx = 4, Rx = 5, SeventyThree = 6, Cq = 10 };
// The keys F3, F7 and F8 differ a little from their buttons.
enum class ActionSource { Button, Key };

// The steps of one action only: no own-call check, no focus change.
void runPictureAction(Form1Context& context, PictureAction action, ActionSource source);

// A click of a Command4 button: nothing without an own call, then the
// action, then the keyboard back to the transmit box.
void onPictureButton(Form1Context& context, PictureAction action);
void connectPictureButtons(Form1Context& context);

}  // namespace quillary
