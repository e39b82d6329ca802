#include "modem/ModemReports.h"

#include <QLabel>
#include <QLineEdit>

#include "app/Form1Controls.h"
#include "app/MainState.h"
#include "common/Numbers.h"
#include "display/ImdMeter.h"
#include "modem/ImdStatistics.h"

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
