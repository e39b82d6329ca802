#include "display/SpectrumDisplay.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <algorithm>

#include "common/Numbers.h"
#include "display/SpectrumGeometry.h"
#include "display/SpectrumPicture.h"
#include "link/ReceiveTuning.h"
#include "window/ComboChoice.h"
#include "window/EventWatch.h"
#include "window/Form1Controls.h"
#include "window/FrequencyScrollBar.h"
#include "window/MainState.h"
#include "window/PictureBox.h"

namespace quillary {

namespace {

std::optional<double> numberShownIn(const QString& text) {
  return parseNumber(text.toStdString());
}

// The scroll bar's change handler rewrites txtRec and hands the same whole
// hertz back to the receiver, so the marker drawn next follows the AFC. The
// AFC may pull beyond the bar's ends: the bar then stops at its end and
// txtRec shows the true frequency, with no retune, since sending the bar's
// end would pull the receiver off its station at every redraw.
void followAfc(Form1Context& context) {
  const int32_t hz = context.modem.fnGetRXFrequency(0);
  FrequencyScrollBar& bar = *context.controls.VScroll1;
  if (hz >= bar.bottomFrequency() && hz <= bar.topFrequency()) {
    bar.setFrequency(hz);
    return;
  }
  const QSignalBlocker quiet(bar);
  bar.setFrequency(std::clamp(hz, bar.bottomFrequency(), bar.topFrequency()));
  context.controls.txtRec->setText(QString::number(hz));
}

}  // namespace

void drawSpectrum(Form1Context& context, SpectrumBuffer& bins) {
  PictureBox& picture = *context.controls.Picture2;
  const DisplayRange range = context.state.range;
  const SpectrumScale scale = spectrumScale(range, picture.width(), picture.height());
  context.modem.fnGetFFTData(bins.data(), scale.firstBin, scale.lastBin);
  if (context.state.afc == 1) followAfc(context);

  SpectrumView view;
  view.range = range;
  view.bins = bins.data();
  view.presetHz = numberShownIn(context.controls.Combo6->currentText());
  view.receiveHz = numberShownIn(context.controls.txtRec->text());
  renderSpectrum(picture.image(), view);
  picture.update();
}

// A typed text that names no range changes nothing, and the box shows the
// range drawn again.
void onRangeChosen(Form1Context& context) {
  if (const auto range = rangeForName(context.controls.Combo7->currentText().toStdString())) {
    context.state.range = *range;
    return;
  }
  const DisplayRange& shown = context.state.range;
  context.controls.Combo7->setEditText(QStringLiteral("%1-%2").arg(shown.low).arg(shown.high));
}

void onSpectrumPressed(Form1Context& context, double x) {
  const auto hz = frequencyAtX(context.state.range, context.controls.Picture2->width(), x);
  if (hz) context.modem.fnSetRXFrequency(*hz, 0, 0);
}

void connectSpectrum(Form1Context& context) {
  Form1Controls& c = context.controls;
  onComboChoice(*c.Combo7, [context]() mutable { onRangeChosen(context); });
  // Every mouse press tunes, whatever the button.
  watchEvents(*c.Picture2, QEvent::MouseButtonPress, [context](QEvent& event) mutable {
    onSpectrumPressed(context, static_cast<QMouseEvent&>(event).position().x());
    return false;
  });
}

}  // namespace quillary
