// The load sequence of the main window, in its order: fonts, placement,
// start values, psk.ini, the modem's start and first tuning, the hook, the
// IMD scale, the lists, the macro menus and the name log.
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QLineEdit>
#include <QScreen>
#include <QScrollBar>
#include <QSignalBlocker>
#include <algorithm>

#include "app/Form1.h"
#include "app/InitSet.h"
#include "app/StartResult.h"
#include "band/BandWindowHandlers.h"
#include "display/ImdMeter.h"
#include "display/SpectrumRange.h"
#include "link/ModemEventHook.h"
#include "link/ReceiveLists.h"
#include "logbook/LogbookHandlers.h"
#include "macros/Fonts.h"
#include "macros/MacroMenus.h"
#include "macros/NameLog.h"
#include "modem/ModemLibrary.h"
#include "station/StationPanel.h"
#include "transmit/Greetings.h"
#include "window/ComboLists.h"
#include "window/Form1Design.h"
#include "window/FrequencyScrollBar.h"
#include "window/PictureBox.h"
#include "window/ScreenPlacement.h"

namespace quillary {

namespace {

void setFontFamily(QWidget& widget, const QString& family) {
  QFont font = widget.font();
  font.setFamily(family);
  widget.setFont(font);
}

// The squelch bar shows 99 - threshold. Its change handler sends the
// threshold to the modem; showing the restored value must not send it again.
void showSquelch(Form1Controls& c, int16_t threshold) {
  const QSignalBlocker quiet(c.VScroll3);
  c.VScroll3->setValue(99 - threshold);
}

}  // namespace

void Form1::runLoadSequence() {
  Form1Controls& c = controls_;
  Font_Set(context_);
  centreOnScreen();
  state_.range = DisplayRange{1000, 2000, 10};
  state_.presetCentre = 1600;
  state_.cr = "\r";
  state_.lf = "\n";
  state_.transmitState = 0;
  setWidthTwips(form1design::kWindowWidth);
  setHeightTwips(form1design::kWindowHeight);
  c.Frame5->hide();
  // The program folder was fixed by whoever created the window.
  state_.imd = ImdStatistics{};
  state_.kanjiMode = 0;
  Init_Set(context_);
  keepReachable();
  showSquelch(c, state_.squelch);
  startModem();
  tuneModem();
  setSpectrumMode();
  installHook();
  c.Picture4[0]->show();
  drawImdScale(*c.Picture5);
  replaceList(*c.Combo5, {"0", "1", "2", "3", "4", "5", "6", "7", "8"}, c.Combo5->currentText());
  setFontFamily(*c.Term, QStringLiteral("Arial"));
  setFontFamily(*c.Text3, QStringLiteral("Arial"));
  setFontFamily(*c.Text5, QStringLiteral("Arial"));
  Combo3_Set(context_);
  Combo6_Set(context_);
  Combo7_Set(context_);
  Combo8_Set(context_);
  c.Picture4[0]->hide();
  state_.searchState = 2;
  state_.nameCount = 0;
  state_.nameLogPath.clear();
  Menu_Set(context_);
  Read_Name_Init(context_);
  loadRadioSettings(context_);
  loadLogbook(context_);
  state_.soundReset = 0;
  restoreBandWindow(context_);
}

void Form1::centreOnScreen() {
  const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  const QRect area = screen->availableGeometry();
  const double top = scale().yTwips(area.y()) + (scale().yTwips(area.height()) - heightTwips()) / 2;
  setTopTwips(top);
  const double left = scale().xTwips(area.x()) + (scale().xTwips(area.width()) - widthTwips()) / 2;
  setLeftTwips(left);
}

void Form1::keepReachable() {
  QList<QRect> areas;
  if (const QScreen* primary = QGuiApplication::primaryScreen()) areas << primary->availableGeometry();
  for (const QScreen* screen : QGuiApplication::screens()) areas << screen->availableGeometry();
  move(reachablePosition(frameGeometry(), areas));
}

void Form1::startModem() {
  const int32_t result = modem_.fnStartSoundCard(this, int32_t{state_.soundDevice}, 1);
  controls_.Term->clear();
  controls_.Term->setPlainText(QString::fromStdString(startResultText(result)));
}

void Form1::tuneModem() {
  modem_.fnSetRXFrequency(state_.presetCentre, 0, 0);
  modem_.fnSetRXPSKMode(state_.modeCode, 0);
  modem_.fnSetSquelchThreshold(state_.squelch, 0, 0);
  // The scroll bar keeps the value within its range; setting it runs its
  // change handler when the value differs.
  const int32_t frequency = modem_.fnGetRXFrequency(0);
  controls_.VScroll1->setFrequency(std::clamp<int32_t>(frequency, INT16_MIN, INT16_MAX));
  modem_.fnSetAFCLimit(500, 0);
  modem_.fnSetFFTMode(3, 100, 1);
  state_.afc = 1;
}

void Form1::setSpectrumMode() {
  // A text that is not a number (typed, or restored from psk.ini) gives the
  // modem's start values 3 and 1, so the load always completes.
  const int32_t smoothing = spectrumSetting(controls_.Combo1->currentText().toStdString(), 3, 1, 10);
  const int32_t bias = spectrumSetting(controls_.Combo2->currentText().toStdString(), 1, 1, 90);
  modem_.fnSetFFTMode(smoothing, 100, bias);
}

void Form1::installHook() {
  hook_ = std::make_unique<ModemEventHook>(context_);
  installEventFilter(hook_.get());
}

}  // namespace quillary
