// Help for the controls whose meaning a caption cannot carry. Captions and
// texts stay as designed; only tooltips are added.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>

#include "app/Form1Build.h"
#include "window/FrequencyScrollBar.h"
#include "window/PictureBox.h"

namespace quillary {

void addOperatorHelp(Form1Controls& c) {
  const QString smoothing = QStringLiteral("Spectrum smoothing: how many spectra are averaged (1 = none)");
  c.Combo1->setToolTip(smoothing);
  c.lbMy_5->setToolTip(smoothing);
  const QString bias = QStringLiteral("Spectrum bias: lifts the trace above the bottom of the picture");
  c.Combo2->setToolTip(bias);
  c.lbMy_6->setToolTip(bias);
  c.ckTXAFC->setToolTip(QStringLiteral("NET: transmit on the receive frequency, following AFC and tuning"));
  c.ckRXAFC->setToolTip(QStringLiteral("AFC: the receiver follows the station it is tuned to"));
  c.Check2->setToolTip(
      QStringLiteral("Search: every second, tune to the strongest signal within the chosen width of the preset"));
  c.Combo4->setToolTip(QStringLiteral("Search width in Hz on either side of the preset"));
  c.Picture4[0]->setToolTip(QStringLiteral("Lit while the search holds a signal above the squelch"));
  c.Picture4[1]->setToolTip(QStringLiteral("Lit while transmitting"));
  c.Picture1->setToolTip(QStringLiteral("Phase vector: clean spokes mean a clean signal"));
  c.Picture2->setToolTip(QStringLiteral("Spectrum: click a signal to tune to it"));
  c.Picture3->setToolTip(QStringLiteral("Signal level; the black line is the squelch"));
  c.Picture5->setToolTip(QStringLiteral("Best IMD of the other station: the longer the bar, the cleaner"));
  c.VScroll1->setToolTip(QStringLiteral("Receive frequency: up raises it"));
  c.VScroll2->setToolTip(QStringLiteral("Transmit frequency: up raises it"));
  c.cmdBand->setToolTip(QStringLiteral("The band window: a waterfall of the band and every station of the mode read at once"));
  c.VScroll3->setToolTip(QStringLiteral("Squelch: up raises it, so only stronger signals print"));
  c.cmdLog->setToolTip(QStringLiteral("Log the contact (Shift+F8 in the transmit box); its form has the log window"));
}

}  // namespace quillary
