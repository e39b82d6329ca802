#include "app/Form1Build.h"

#include <QGroupBox>
#include <QPlainTextEdit>
#include <QTimer>
#include <QWidget>

#include "window/Form1Design.h"

namespace quillary {

namespace {

QTimer* makeTimer(QWidget& window, const char* name, bool running) {
  auto* timer = new QTimer(&window);
  timer->setObjectName(QString::fromLatin1(name));
  timer->setInterval(1000);
  if (running) timer->start();
  return timer;
}

}  // namespace

void buildForm1(QWidget& window, const ControlMaker& make, Form1Controls& c) {
  using namespace form1design;
  const double termWidth = kWindowWidth - 200;
  const double frame2Top = kWindowHeight - kFrame2Height - 600;
  c.Term = make.multiLineBox(&window, "Term", QStringLiteral("Receive Area\r\n"),
                             {kMargin, kTermTop, termWidth, frame2Top - 100},
                             std::nullopt);
  c.Frame2 = make.frame(&window, "Frame2", QString(),
                        {kMargin, frame2Top, kWindowWidth - 200, kFrame2Height}, std::nullopt);
  c.Frame5 = make.frame(&window, "Frame5", QStringLiteral("PSK TX"),
                        {kMargin, frame2Top + kFrame2Height + 50, kWindowWidth - 350,
                         kFrame5Height},
                        designFont(QStringLiteral("Georgia"), 9));
  c.Timer1 = makeTimer(window, "Timer1", false);
  c.Timer2 = makeTimer(window, "Timer2", true);

  buildControlPanel(make, c);
  buildModeFrame(make, c);
  buildFftFrame(make, c);
  buildTransmitPanel(make, c);
  addOperatorHelp(c);
}

}  // namespace quillary
