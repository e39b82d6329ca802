#include "station/StationPanel.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <cstdio>

#include "common/Numbers.h"
#include "modem/ModemLibrary.h"
#include "station/RadioDialog.h"
#include "station/RadioIni.h"
#include "station/StationText.h"
#include "window/Dialogs.h"
#include "window/Form1Controls.h"
#include "window/FrequencyScrollBar.h"
#include "window/MainState.h"
#include "window/TwipsWindow.h"
#include "window/UnwrittenFiles.h"

namespace quillary {
namespace {

constexpr int kLineMarginPx = 6;

std::filesystem::path radioIniPath(const Form1Context& context) { return context.state.programFolder / "radio.ini"; }

void saveRadioSettings(Form1Context& context, const RadioSettings& settings) {
  useRadioSettings(context, settings);
  writeOrReport(context, radioIniPath(context), formatRadioIni(settings));
}

// A test keys the radio for a second: never in the middle of a transmission.
bool mayTest(Form1Context& context) {
  if (context.state.transmitterOn == 0) return true;
  context.dialogs.message(QStringLiteral("Not while transmitting"), Dialogs::Buttons::Ok);
  return false;
}

int32_t commPortNumber(const Form1Context& context) {
  return toInt16(leadingNumber(context.controls.Combo5->currentText().toStdString())).value_or(0);
}

void openRadioDialog(Form1Context& context) {
  for (RadioDialog* open : context.window.findChildren<RadioDialog*>()) {
    if (!open->isVisible()) continue;  // closed, and going
    open->raise();
    return;
  }
  RadioDialog::Actions actions;
  actions.apply = [&context](const RadioSettings& s) {
    if (!mayTest(context)) return false;
    useRadioSettings(context, s);
    return true;
  };
  actions.save = [&context](const RadioSettings& s) { saveRadioSettings(context, s); };
  actions.restore = [&context](const RadioSettings& s) { useRadioSettings(context, s); };
  auto* dialog = new RadioDialog(context.radio, context.dialogs, commPortNumber(context), std::move(actions),
                                 &context.window);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  dialog->show();
}

// The line takes what the transmit panel leaves right of it; the mode goes
// where the whole does not fit.
void showStationLine(QLabel& label, const StationLine& line) {
  const QWidget* panel = label.parentWidget();
  label.resize(std::max(0, panel->width() - label.x() - kLineMarginPx), label.height());
  const QString text = QString::fromStdString(line.text);
  const bool fits = label.fontMetrics().horizontalAdvance(text) <= label.contentsRect().width();
  label.setText(fits ? text : QString::fromStdString(line.shortText));
  label.setToolTip(QString::fromStdString(line.tooltip));
}

void letGoOfHeldPort(Form1Context& context) {
  context.state.commPort.open = 0;
  showPttHeld(*context.controls.Command3, false);
}

}  // namespace

void loadRadioSettings(Form1Context& context) {
  const RadioIniRead read = readRadioIni(radioIniPath(context));
  if (!read.found)
    std::fprintf(stderr, "Quillary: no radio.ini: keying by serial port (RTS and DTR)\n");
  else if (!read.problem.empty())
    std::fprintf(stderr, "Quillary: radio.ini not taken (%s): keying by serial port (RTS and DTR)\n",
                 read.problem.c_str());
  context.radio.configure(read.settings);
  stationTick(context);
}

void useRadioSettings(Form1Context& context, const RadioSettings& settings) {
  if (settings != context.radio.settings() && context.state.commPort.open == 1) {
    context.modem.fnSetComPort(context.state.commPort.port, 0);
    letGoOfHeldPort(context);
  }
  context.radio.configure(settings);
  stationTick(context);
}

bool opensThroughRadio(const Form1Context& context) {
  return context.state.commPort.open == 0 && context.radio.settings().method != PttMethod::Serial;
}

// What keeps the radio from being keyed shows in the status line; a box
// would only say the same.
void openThroughRadio(Form1Context& context) {
  const bool held = context.radio.holdPtt();
  context.state.commPort.open = held ? 1 : 0;
  showPttHeld(*context.controls.Command3, held);
  stationTick(context);
}

void showPttHeld(QPushButton& button, bool held) {
  QPalette palette = button.palette();
  const QColor face = held ? QColor(kPortHeldRed, kPortHeldGreen, kPortHeldBlue) : QPalette().color(QPalette::Button);
  palette.setColor(QPalette::Button, face);
  button.setPalette(palette);
}

void stationTick(Form1Context& context) {
  MainState& state = context.state;
  const RadioStatus status = context.radio.status();
  const bool answering = status.rig == RadioStatus::Rig::Answering;
  state.radio = answering ? RadioReading{status.dialHz, status.mode} : RadioReading{};
  if (status.pttDrops != state.pttDropsSeen) {
    state.pttDropsSeen = status.pttDrops;
    if (state.commPort.open == 1) {
      state.pttDropped = true;
      letGoOfHeldPort(context);
    }
  }
  const StationLine line = stationLine(status, context.radio.settings().method, state.pttDropped,
                                       context.controls.VScroll1->frequency());
  showStationLine(*context.controls.lblRadio, line);
}

void connectStation(Form1Context& context) {
  Form1Controls& c = context.controls;
  QObject::connect(c.cmdRadio, &QPushButton::clicked, c.cmdRadio, [&context] { openRadioDialog(context); });
  QObject::connect(c.Timer2, &QTimer::timeout, c.cmdRadio, [&context] { stationTick(context); });
}

}  // namespace quillary
