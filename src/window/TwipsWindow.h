#pragma once
// A top-level window whose geometry is kept in twips, as the settings files
// and the layout keep it. Width and height are the outer size, frame
// included; the window manager adds its frame only once the window is on
// the screen, and the outer size set before then is kept across it. Every
// size change lays the controls out again.
#include <QSize>
#include <QWidget>

#include "window/TwipsScale.h"

namespace quillary {

class TwipsWindow : public QWidget {
  Q_OBJECT
 public:
  explicit TwipsWindow(QWidget* parent = nullptr);

  const TwipsScale& scale() const { return scale_; }
  double topTwips() const;
  double leftTwips() const;
  double widthTwips() const;
  double heightTwips() const;
  void setTopTwips(double top);
  void setLeftTwips(double left);
  void setWidthTwips(double width);
  void setHeightTwips(double height);

 protected:
  // Places the controls for the window's current size. Also called right
  // after a size set in twips: a hidden window gets its resize event only
  // when it is shown.
  virtual void layoutControls() {}

  void resizeEvent(QResizeEvent* event) override;
  void moveEvent(QMoveEvent* event) override;

 private:
  // What the window manager's frame adds to the inner size.
  QSize frameAllowance() const;
  void keepOuterSizeAcrossFrame();

  TwipsScale scale_;
  QSize knownFrame_{0, 0};
};

}  // namespace quillary
