#include "receive/CommandForwarding.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QStringList>
#include <QtGlobal>

#include "common/AtomicFile.h"
#include "common/CodePage.h"
#include "common/Numbers.h"
#include "receive/CommandHook.h"
#include "window/Form1Controls.h"
#include "window/MainState.h"
#include "window/UnwrittenFiles.h"

namespace quillary {

namespace {

// Tried in this order; "/T" is the short form of a PHOTO command.
const QStringList kCommandWords = {QStringLiteral("/HYBRID"), QStringLiteral("/PHOTO"),
                                   QStringLiteral("/HTML"), QStringLiteral("/T")};
const QString kShortPhoto = QStringLiteral("/T");
constexpr int16_t kReportWithoutReading = -10;

}  // namespace

std::optional<PictureCommand> pictureCommandOf(const QString& line,
                                               const std::optional<QString>& skippedCall) {
  const QString upper = line.toUpper();
  const qsizetype colon = upper.indexOf(QLatin1Char(':'));
  if (colon < 0) return std::nullopt;
  for (const QString& word : kCommandWords) {
    const qsizetype at = upper.indexOf(word);
    if (at < 0) continue;
    // The first word found decides, even when it stands before the colon.
    if (at <= colon) return std::nullopt;
    const QString call = upper.mid(colon + 1, at - colon - 1);
    if (skippedCall && call == *skippedCall) return std::nullopt;
    if (word == kShortPhoto) return PictureCommand{QStringLiteral(":") + call + QStringLiteral("/PHOTO"), call};
    return PictureCommand{upper, call};
  }
  return std::nullopt;
}

std::optional<QString> pictureCommandIn(const QString& line,
                                         const std::optional<QString>& skippedCall) {
  auto command = pictureCommandOf(line, skippedCall);
  if (!command) return std::nullopt;
  return std::move(command->line);
}

std::string commandFileBytes(const QString& commandLine, int16_t bestImd) {
  return toCodePage(commandLine.toStdString(), systemCodePage()) + "\r\n" + paddedStyle(bestImd) +
         "\r\n";
}

void forwardReceivedCommand(Form1Context& context) {
  const Form1Controls& c = context.controls;
  std::optional<QString> skippedCall;
  if (c.Check1->isChecked()) skippedCall = c.Text4->text().toUpper();
  const auto command = pictureCommandOf(c.Text3->text(), skippedCall);
  if (!command) return;
  ImdStatistics& imd = context.state.imd;
  if (!imd.hasReading()) imd.best = kReportWithoutReading;
  const std::filesystem::path file = context.state.programFolder / "cmd_data.txt";
  if (!writeFileAtomically(file, commandFileBytes(command->line, imd.best))) {
    qWarning("Quillary: the command %s was not handed over", qUtf8Printable(command->line));
    reportUnwritten(context, file);
  }
  // The hook has the command in its arguments, so it runs even when the
  // file could not be written.
  runCommandHook(context.state.programFolder, {command->line, command->call, imd.best});
}

void connectCommandForwarding(Form1Context& context) {
  QObject::connect(context.controls.Text3, &QLineEdit::textEdited, context.controls.Text3,
                   [context](const QString&) mutable { forwardReceivedCommand(context); });
}

}  // namespace quillary
