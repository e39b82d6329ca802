#include "display/ImdMeter.h"

#include <QLineEdit>
#include <QPushButton>

#include "display/ImdPicture.h"
#include "window/Form1Controls.h"
#include "window/MainState.h"
#include "window/PictureBox.h"

namespace quillary {

void drawImdScale(PictureBox& picture) {
  renderImdScale(picture.image());
  picture.update();
}

void drawImdMeter(PictureBox& picture, int16_t best) {
  renderImdMeter(picture.image(), best);
  picture.update();
}

void onImdReset(Form1Context& context) {
  context.state.imd = ImdStatistics{};
  context.controls.txtIMD->clear();
  context.controls.Text2->clear();
  context.controls.Text1->clear();
  drawImdScale(*context.controls.Picture5);
}

void connectImdReset(Form1Context& context) {
  QObject::connect(context.controls.Command1, &QPushButton::clicked, context.controls.Command1,
                   [context]() mutable { onImdReset(context); });
}

}  // namespace quillary
