#pragma once
// The operator's own program, run on every picture command handed to the
// image program: "hook.ini" in the program folder names it (one quoted
// field, as in psk.ini; none or an empty path runs nothing). It gets the
// command line and the IMD figure as its arguments and in its environment
// (QUILLARY_COMMAND, QUILLARY_IMD, QUILLARY_CALL), is started without a
// shell, detached, in the program folder, with the console for its output.
// Nothing waits for it: a program that hangs or fails holds up neither the
// window nor the next command.
#include <QString>
#include <QStringList>
#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace quillary {

// The program hook.ini names; empty when it names none or cannot be read.
QString hookProgram(const std::filesystem::path& programFolder);
// The bytes of hook.ini: the path in double quotes (a quote in it dropped),
// CR LF. UTF-8, so that any path the system allows comes back whole.
std::string formatHookIni(const QString& program);
bool writeHookIni(const std::filesystem::path& programFolder, const QString& program);

struct ForwardedCommand {
  QString line;  // as written to cmd_data.txt
  QString call;  // the call in it
  int16_t imd = 0;
};

struct HookLaunch {
  QStringList arguments;
  std::vector<std::pair<QString, QString>> environment;  // added to the program's own
};
HookLaunch hookLaunchFor(const ForwardedCommand& command);

// Starts the program hook.ini names, if any. One line on the console when it
// cannot be started.
void runCommandHook(const std::filesystem::path& programFolder, const ForwardedCommand& command);

}  // namespace quillary
