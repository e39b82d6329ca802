#include "app/InitSet.h"

#include <QComboBox>
#include <QLineEdit>

#include "app/Form1.h"
#include "app/SettingsFiles.h"

namespace quillary {

namespace {

// The settings reader hands texts over as UTF-8.
QString fromFile(const std::string& utf8) { return QString::fromStdString(utf8); }

}  // namespace

void Init_Set(Form1Context& context) {
  const PskIniRead read = readPskIni(context.state.programFolder / "psk.ini");
  Form1Controls& c = context.controls;
  if (read.top) context.window.setTopTwips(*read.top);
  if (read.left) context.window.setLeftTwips(*read.left);
  if (read.ownCall) c.Text4->setText(fromFile(*read.ownCall));
  if (read.squelch) context.state.squelch = *read.squelch;
  if (read.searchHalfWidth) c.Combo4->setEditText(fromFile(*read.searchHalfWidth));
  if (read.savedWidth) context.state.savedWidth = *read.savedWidth;
  if (read.savedHeight) context.state.savedHeight = *read.savedHeight;
  if (read.smoothing) c.Combo1->setEditText(fromFile(*read.smoothing));
  if (read.bias) c.Combo2->setEditText(fromFile(*read.bias));
  if (read.commPort) c.Combo5->setEditText(fromFile(*read.commPort));
}

}  // namespace quillary
