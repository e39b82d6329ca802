#include "macros/NameLog.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QtGlobal>

#include "common/AtomicFile.h"
#include "common/FieldReader.h"
#include "macros/CappedFile.h"
#include "macros/NameTable.h"
#include "window/Dialogs.h"
#include "window/EventWatch.h"
#include "window/Form1Context.h"
#include "window/Form1Controls.h"
#include "window/MainState.h"
#include "window/TwipsWindow.h"
#include "window/UnwrittenFiles.h"

namespace quillary {

namespace {

std::filesystem::path nameLogFile(const MainState& state) {
  return std::filesystem::path(state.nameLogPath);
}

// The log with one more line. A log that exists but cannot be read is not
// replaced, since writing it anew would lose the pairs it holds. A last line
// left without its line end (by hand, or by the image program) is ended
// first, so the new pair does not run on into the old one.
std::optional<std::string> logWithLine(const std::filesystem::path& log, const std::string& line) {
  std::error_code error;
  if (!std::filesystem::exists(log, error)) return error ? std::nullopt : std::optional(line);
  std::optional<std::string> bytes = readFileBytes(log);
  if (!bytes) return std::nullopt;
  if (!bytes->empty() && bytes->back() != '\n' && bytes->back() != '\r') *bytes += "\r\n";
  return *bytes + line;
}

std::optional<FieldReader> readerOf(const std::filesystem::path& file, std::size_t limit) {
  std::optional<CappedFile> read = readCapped(file, limit);
  if (!read) return std::nullopt;
  return FieldReader(std::move(read->bytes));
}

}  // namespace

void Read_Name_Init(Form1Context& context) {
  std::optional<FieldReader> reader = readerOf(context.state.programFolder / "name.ini", kNameIniReadLimit);
  std::optional<std::string> path = reader ? nameLogPathIn(*reader) : std::nullopt;
  if (!path) return;
  context.state.nameLogPath = std::move(*path);
  Read_Name(context);
}

void Read_Name(Form1Context& context) {
  MainState& state = context.state;
  if (state.nameLogPath.empty()) return;
  std::optional<FieldReader> reader = readerOf(nameLogFile(state), kNameLogReadLimit);
  if (reader) readNameLog(*reader, state.names, state.nameCount);
}

void Check_Name(Form1Context& context) {
  MainState& state = context.state;
  const std::string call = context.controls.Text27->text().toStdString();
  state.hisName = findName(state.names, state.nameCount, call).value_or("OM");
  context.controls.Text6->setText(QString::fromStdString(state.hisName));
}

void onNameBoxDoubleClicked(Form1Context& context) {
  const Form1Controls& c = context.controls;
  const std::string call = c.Text27->text().toStdString(), name = c.Text6->text().toStdString();
  if (!fitsNameLog(call) || !fitsNameLog(name)) {
    context.dialogs.message(QStringLiteral("A call or name beginning with \" cannot be saved !!"),
                            Dialogs::Buttons::Ok);
    return;
  }
  if (context.dialogs.message(QStringLiteral("Save name ??"), Dialogs::Buttons::YesNo) !=
      Dialogs::Answer::Yes)
    return;
  if (context.state.nameLogPath.empty()) {
    qWarning("Quillary: no name log has been chosen; the name was not saved");
    return;
  }
  const std::filesystem::path log = nameLogFile(context.state);
  const std::optional<std::string> bytes =
      logWithLine(log, nameLogLine(call, name));
  if (!bytes || !writeFileAtomically(log, *bytes)) {
    reportUnwritten(context, log);
    return;
  }
  Read_Name_Init(context);
}

void onNameButtonClicked(Form1Context& context) {
  const std::optional<QString> chosen = context.dialogs.openFile(
      QStringLiteral("Please Set Ravelite Name file. File is \\Ini\\name.txt in installed folder"),
      QDir::rootPath(), QStringLiteral("Name File (name.txt)"));
  if (!chosen) return;
  context.state.nameLogPath = chosen->toStdString();
  Read_Name(context);
}

void connectNameLog(Form1Context& context) {
  Form1Controls& c = context.controls;
  QObject::connect(c.Text6, &QLineEdit::textChanged, &context.window,
                   [&context](const QString& text) { context.state.hisName = text.toStdString(); });
  watchEvents(*c.Text6, QEvent::MouseButtonDblClick, [&context](QEvent&) {
    onNameBoxDoubleClicked(context);
    return true;
  });
  QObject::connect(c.Command11, &QPushButton::clicked, &context.window,
                   [&context] { onNameButtonClicked(context); });
}

bool writeNameIni(const std::filesystem::path& folder, const std::string& nameLogPath) {
  return writeFileAtomically(folder / "name.ini", formatNameIni(nameLogPath));
}

}  // namespace quillary
