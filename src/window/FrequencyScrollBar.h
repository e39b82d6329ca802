#pragma once
// A vertical scroll bar for a frequency, highest at the top. Qt's scroll
// bars grow downwards, and showing one upside down does not turn its arrows,
// trough clicks, wheel and keys round; so the bar runs on the negated
// frequency, and everything the operator does moves the thumb, the value and
// the frequency the same way: down lowers the frequency.
#include <QScrollBar>

namespace quillary {

class FrequencyScrollBar : public QScrollBar {
  Q_OBJECT
 public:
  FrequencyScrollBar(int topHz, int bottomHz, QWidget* parent);

  int frequency() const { return -value(); }
  // Kept within bottom..top; frequencyChanged follows when it moves.
  void setFrequency(int hz) { setValue(-hz); }
  int topFrequency() const { return -minimum(); }
  int bottomFrequency() const { return -maximum(); }

 signals:
  void frequencyChanged(int hz);
};

}  // namespace quillary
