#include "display/VectorDisplay.h"

#include <algorithm>

#include "display/VectorPicture.h"
#include "window/Form1Controls.h"
#include "window/MainState.h"
#include "window/PictureBox.h"

namespace quillary {

void drawVectorAndLevel(Form1Context& context, VectorBuffer& points) {
  context.modem.fnGetVectorData(points.data(), 0);
  const int32_t level = context.modem.fnGetSignalLevel(0);
  PictureBox& vector = *context.controls.Picture1;
  renderPhaseVector(vector.image(), points.data(), level);
  vector.update();
  PictureBox& bar = *context.controls.Picture3;
  renderLevelBar(bar.image(), static_cast<int16_t>(std::clamp<int32_t>(level, INT16_MIN, INT16_MAX)),
                 context.state.squelch);
  bar.update();
}

}  // namespace quillary
