#include "receive/CommandHook.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QtGlobal>

#include "common/AtomicFile.h"
#include "common/FieldReader.h"

namespace quillary {

namespace {

const char* const kHookIni = "hook.ini";

}  // namespace

QString hookProgram(const std::filesystem::path& programFolder) {
  auto reader = FieldReader::open(programFolder / kHookIni);
  Field field;
  if (!reader || reader->next(field) != FieldStatus::Ok) return {};
  return QString::fromUtf8(field.text).trimmed();
}

std::string formatHookIni(const QString& program) {
  QString path = program.trimmed();
  path.remove(QLatin1Char('"'));
  return "\"" + path.toStdString() + "\"\r\n";
}

bool writeHookIni(const std::filesystem::path& programFolder, const QString& program) {
  return writeFileAtomically(programFolder / kHookIni, formatHookIni(program));
}

HookLaunch hookLaunchFor(const ForwardedCommand& command) {
  const QString imd = QString::number(command.imd);
  return {{command.line, imd},
          {{QStringLiteral("QUILLARY_COMMAND"), command.line},
           {QStringLiteral("QUILLARY_IMD"), imd},
           {QStringLiteral("QUILLARY_CALL"), command.call}}};
}

void runCommandHook(const std::filesystem::path& programFolder, const ForwardedCommand& command) {
  const QString program = hookProgram(programFolder);
  if (program.isEmpty()) return;
  const HookLaunch launch = hookLaunchFor(command);
  QProcess process;
  process.setProgram(program);
  process.setArguments(launch.arguments);
  process.setWorkingDirectory(QString::fromStdString(programFolder.string()));
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  for (const auto& [name, value] : launch.environment) environment.insert(name, value);
  process.setProcessEnvironment(environment);
  // Detached, the program keeps the console's output and error and is
  // reaped by the system, not by this window.
  if (!process.startDetached())
    qWarning("Quillary: the hook %s could not be started for %s: %s", qUtf8Printable(program),
             qUtf8Printable(command.line), qUtf8Printable(process.errorString()));
}

}  // namespace quillary
