#include "link/SignalSearchHandlers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTimer>

#include "link/ReceiveTuning.h"
#include "link/SignalSearch.h"
#include "modem/ModemLibrary.h"
#include "window/Form1Controls.h"
#include "window/MainState.h"
#include "window/PictureBox.h"

namespace quillary {

void onSearchClicked(Form1Context& context, bool checked) {
  Form1Controls& c = context.controls;
  if (!checked) {
    c.Timer1->stop();  // the state and the indicator stay as they are
    return;
  }
  c.Timer1->start();
  const QString preset = c.Combo6->currentText();
  c.txtTX->setText(preset);
  c.txtRec->setText(preset);
  c.ckTXAFC->setChecked(false);
  context.state.searchState = static_cast<int16_t>(SearchState::Hunting);
}

void searchTick(Form1Context& context) {
  // Without a half-width there is no window to search; the tick waits for
  // the operator to choose one rather than searching a made-up one.
  const auto halfWidth = numberInText(context.controls.Combo4->currentText().toStdString());
  if (!halfWidth) return;
  const SearchWindow window = searchWindowAround(context.state.presetCentre, *halfWidth);
  SignalSearch search(static_cast<SearchState>(context.state.searchState));
  const int32_t peak = context.modem.fnGetClosestPeak(window.lowHz, window.highHz);
  if (const auto retune = search.retuneFor(peak, window)) {
    context.modem.fnSetRXFrequency(*retune, 0, 0);
  }
  const int32_t level = context.modem.fnGetSignalLevel(0);
  switch (search.takeLevel(level, context.state.squelch)) {
    case IndicatorChange::Show:
      context.controls.Picture4[0]->show();
      break;
    case IndicatorChange::Hide:
      context.controls.Picture4[0]->hide();
      break;
    case IndicatorChange::None:
      break;
  }
  context.state.searchState = static_cast<int16_t>(search.state());
}

void connectSignalSearch(Form1Context& context) {
  Form1Controls& c = context.controls;
  QObject::connect(c.Check2, &QCheckBox::clicked, c.Check2,
                   [context](bool checked) mutable { onSearchClicked(context, checked); });
  QObject::connect(c.Timer1, &QTimer::timeout, c.Timer1,
                   [context]() mutable { searchTick(context); });
}

}  // namespace quillary
