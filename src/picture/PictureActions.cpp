#include "picture/PictureActions.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "modem/ModemLibrary.h"
#include "picture/PictureTexts.h"
#include "transmit/OwnCall.h"
#include "transmit/TransmitBox.h"
#include "transmit/TransmitFrequency.h"
#include "window/Form1Controls.h"
#include "window/MainState.h"

namespace quillary {

namespace {

void keyTransmitter(Form1Context& context) {
  TX_Freq(context);
  context.modem.fnStartTX(context.state.modeCode);
}

// The box shows what went out; what was typed before is not sent.
void showInsteadOfTyping(QPlainTextEdit& box, const QString& sent) {
  setTransmitBoxText(box, sent);
  moveCaretToEnd(box);
}

// HYBRID, PHOTO, HTML and GD COPY: the text goes out and the transmitter
// drops once it has.
void sendAndStop(Form1Context& context, const QString& text) {
  sendToModem(context.modem, text);
  context.state.pictureTextsSent.push_back(text.toStdString());
  showInsteadOfTyping(*context.controls.Text5, text);
  context.modem.fnStopTX();
}

void startOver(Form1Context& context, const QString& ownCall, const QString& otherCall) {
  QPlainTextEdit& box = *context.controls.Text5;
  keyTransmitter(context);
  context.state.transmitState = 1;
  const QString text = overHeader(ownCall, otherCall) + transmitBoxText(box);
  setTransmitBoxText(box, text);
  sendToModem(context.modem, text);
  moveCaretToEnd(box);
}

void endOver(Form1Context& context, const QString& text) {
  sendToModem(context.modem, text);
  appendToTransmitBox(*context.controls.Text5, text);
  context.modem.fnStopTX();
}

void sendFinal(Form1Context& context, const QString& text, ActionSource source) {
  QPlainTextEdit& box = *context.controls.Text5;
  sendToModem(context.modem, text);
  if (source == ActionSource::Key) {
    appendToTransmitBox(box, text);
  } else {
    showInsteadOfTyping(box, text);
  }
  context.modem.fnStopTX();
}

void callCq(Form1Context& context, const QString& text, ActionSource source) {
  QPlainTextEdit& box = *context.controls.Text5;
  keyTransmitter(context);
  context.state.transmitState = 1;
  sendToModem(context.modem, text);
  if (source == ActionSource::Key) {
    showInsteadOfTyping(box, text);
  } else {
    // The button leaves the caret at the start of the box.
    setTransmitBoxText(box, transmitBoxText(box) + text);
  }
  context.modem.fnStopTX();
}

}  // namespace

void runPictureAction(Form1Context& context, PictureAction action, ActionSource source) {
  const QString own = context.controls.Text4->text();
  const QString other = context.controls.Text27->text();
  switch (action) {
    case PictureAction::Hybrid:
      keyTransmitter(context);
      sendAndStop(context, hybridText(own, other));
      break;
    case PictureAction::Photo:
      keyTransmitter(context);
      sendAndStop(context, photoText(own, other));
      break;
    case PictureAction::Html:
      keyTransmitter(context);
      if (source == ActionSource::Button) context.state.transmitState = 1;
      sendAndStop(context, htmlText(own, other));
      break;
    case PictureAction::GdCopy: {
      TX_Freq(context);
      const QString text = goodCopyText(own, other, context.state.imd.best);
      context.modem.fnStartTX(context.state.modeCode);
      sendAndStop(context, text);
      break;
    }
    case PictureAction::Tx:
      startOver(context, own, other);
      break;
    case PictureAction::Rx:
      endOver(context, overEndText(own, other));
      break;
    case PictureAction::SeventyThree:
      sendFinal(context, finalText(own, other, source == ActionSource::Key), source);
      break;
    case PictureAction::Cq:
      callCq(context, cqText(own), source);
      break;
  }
}

void onPictureButton(Form1Context& context, PictureAction action) {
  if (!requireOwnCall(context)) return;
  runPictureAction(context, action, ActionSource::Button);
  context.controls.Text5->setFocus();
}

void connectPictureButtons(Form1Context& context) {
  Form1Controls& c = context.controls;
  for (int i = 0; i < static_cast<int>(c.Command4.size()); ++i) {
    QObject::connect(c.Command4[i], &QPushButton::clicked, c.Command4[i], [context, i]() mutable {
      onPictureButton(context, static_cast<PictureAction>(i));
    });
  }
  QObject::connect(c.Command4_10, &QPushButton::clicked, c.Command4_10,
                   [context]() mutable { onPictureButton(context, PictureAction::Cq); });
}

}  // namespace quillary
