#pragma once
// The worked-before mark: a small flag in the top right corner of His Call
// (Text27), shown while the call there is in the log, with the last contact
// in the box's tooltip. It sits inside the box, so no caption of the call
// row moves or shrinks for it; clicks go through it to the box.
#include <QString>
#include <QWidget>

class QLineEdit;

namespace quillary {

class WorkedBeforeMark : public QWidget {
  Q_OBJECT
 public:
  explicit WorkedBeforeMark(QLineEdit& callBox);

  // Empty `text`: not worked before, the mark hidden.
  void showWorked(const QString& text);

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void placeInCorner();

  QLineEdit& callBox_;
  QString boxToolTip_;  // the box's own tooltip, when there is one
};

}  // namespace quillary
