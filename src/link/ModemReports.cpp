#include "link/ModemReports.h"

#include <QLabel>
#include <QLineEdit>

#include "common/Numbers.h"
#include "display/ImdMeter.h"
#include "window/Form1Controls.h"
#include "window/ImdStatistics.h"
#include "window/MainState.h"

namespace quillary {

void onImdReading(Form1Context& context, int32_t reading) {
  const ImdTexts texts = addImdReading(context.state.imd, reading);
  context.controls.txtIMD->setText(QString::fromStdString(texts.summary));
  context.controls.Text1->setText(QString::fromStdString(texts.count));
  context.controls.Text2->setText(QString::fromStdString(texts.reading));
  drawImdMeter(*context.controls.Picture5, context.state.imd.best);
}

void onClockError(Form1Context& context, int32_t ppm) {
  context.controls.Label2->setText(QString::fromStdString(signedStyle(ppm) + " ppm"));
}

}  // namespace quillary
