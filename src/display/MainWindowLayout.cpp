#include "display/MainWindowLayout.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <algorithm>

#include "window/Form1Context.h"
#include "window/Form1Controls.h"
#include "window/Form1Design.h"
#include "window/MainState.h"
#include "window/TwipsWindow.h"

namespace quillary {

std::optional<LayoutPlacement> mainWindowLayout(const LayoutInput& in) {
  if (in.height - in.frame2Height - 700 <= 0) return std::nullopt;
  LayoutPlacement out;
  out.termWidth = in.width - 200;
  out.frame5Width = in.width - 350;
  out.text5Width = out.frame5Width - 200;
  if (!in.transmitPanelShown) {
    out.termHeight = in.height - in.frame2Height - 700;
    out.frame2Top = in.height - in.frame2Height - 600;
    out.frame2Width = in.width - 200;
  } else {
    out.termHeight = in.height - in.frame2Height - 800 - in.frame5Height;
    out.frame2Top = in.height - in.frame2Height - 700 - in.frame5Height;
    out.frame5Top = out.frame2Top + in.frame2Height + 50;
    out.frame2Width = in.width - 350;
  }
  return out;
}

WindowSize transmitButtonWindowSize(bool checked, int16_t savedWidth, int16_t savedHeight) {
  using namespace form1design;
  if (!checked) return {kWindowWidth, kWindowHeight};
  return {std::max<double>(savedWidth, kTransmitWindowWidth),
          std::max<double>(savedHeight, kTransmitWindowHeight)};
}

namespace {

// Each geometry change on its own, so a refused one does not stop the rest.
void setWidthIfValid(QWidget& widget, const TwipsScale& scale, double width) {
  if (width < 0) return;
  widget.resize(scale.x(width), widget.height());
}

void setHeightIfValid(QWidget& widget, const TwipsScale& scale, double height) {
  if (height < 0) return;
  widget.resize(widget.width(), scale.y(height));
}

void setTopIfValid(QWidget& widget, const TwipsScale& scale, double top) {
  if (top < 0) return;
  widget.move(widget.x(), scale.y(top));
}

}  // namespace

void applyMainWindowLayout(Form1Context& context) {
  Form1Controls& c = context.controls;
  if (c.Term == nullptr) return;  // still being built
  const TwipsScale& scale = context.window.scale();
  LayoutInput input;
  input.width = context.window.widthTwips();
  input.height = context.window.heightTwips();
  input.frame2Height = form1design::kFrame2Height;
  input.frame5Height = form1design::kFrame5Height;
  input.transmitPanelShown = c.Check3->isChecked();
  const auto placement = mainWindowLayout(input);
  if (!placement) return;
  setWidthIfValid(*c.Term, scale, placement->termWidth);
  setHeightIfValid(*c.Term, scale, placement->termHeight);
  setTopIfValid(*c.Frame2, scale, placement->frame2Top);
  if (placement->frame5Top) setTopIfValid(*c.Frame5, scale, *placement->frame5Top);
  setWidthIfValid(*c.Frame5, scale, placement->frame5Width);
  setWidthIfValid(*c.Text5, scale, placement->text5Width);
  setWidthIfValid(*c.Frame2, scale, placement->frame2Width);
}

void onTransmitButtonClicked(Form1Context& context) {
  const bool checked = context.controls.Check3->isChecked();
  const WindowSize size = transmitButtonWindowSize(checked, context.state.savedWidth,
                                                   context.state.savedHeight);
  context.window.setHeightTwips(size.height);
  context.window.setWidthTwips(size.width);
  context.controls.Frame5->setVisible(checked);
}

void connectTransmitButton(Form1Context& context) {
  QObject::connect(context.controls.Check3, &QCheckBox::clicked, &context.window,
                   [&context] { onTransmitButtonClicked(context); });
}

}  // namespace quillary
