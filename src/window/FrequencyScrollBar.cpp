#include "window/FrequencyScrollBar.h"

namespace quillary {

FrequencyScrollBar::FrequencyScrollBar(int topHz, int bottomHz, QWidget* parent)
    : QScrollBar(Qt::Vertical, parent) {
  setRange(-topHz, -bottomHz);
  setValue(-topHz);
  connect(this, &QScrollBar::valueChanged, this, [this](int value) { emit frequencyChanged(-value); });
}

}  // namespace quillary
