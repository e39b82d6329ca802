#pragma once
// Picture commands in the received text: every completed line is looked at,
// and one that carries a command (a colon, a call, then "/HYBRID", "/PHOTO",
// "/HTML" or "/T") is handed to the image program in "cmd_data.txt", with
// the best IMD reading. The image program reads the file on its own
// schedule; a newer command replaces an older one.
#include <QString>
#include <cstdint>
#include <optional>
#include <string>

#include "window/Form1Context.h"

namespace quillary {

struct PictureCommand {
  QString line;  // as handed over
  QString call;  // between the colon and the command word, upper-cased
};
// The command a received `line` carries, with its call; see pictureCommandIn.
std::optional<PictureCommand> pictureCommandOf(const QString& line,
                                               const std::optional<QString>& skippedCall);

// The command line to hand over for a received `line`, upper-cased ("/T"
// becomes a PHOTO line for its call); nullopt when the line carries none, or
// when its call is `skippedCall` (the own call, upper-cased, while "No rec
// myself" is checked).
std::optional<QString> pictureCommandIn(const QString& line,
                                         const std::optional<QString>& skippedCall);

// The bytes of "cmd_data.txt": the command line, then the best IMD reading
// in the padded style (" 12 ", "-10 "), each line ended by CR LF.
std::string commandFileBytes(const QString& commandLine, int16_t bestImd);

// Runs the detection on the last-line box Text3 and writes "cmd_data.txt"
// in the program folder. While there is no IMD reading, the best reading
// becomes -10 in the statistics themselves. A file that cannot be written
// loses only this command, with a line on the console. The operator's hook
// program (hook.ini) is then started with the command.
void forwardReceivedCommand(Form1Context& context);

// The operator's own edits of Text3 are looked at too; a line the hook
// sets is handed over by the hook, once, even when it equals the last one.
void connectCommandForwarding(Form1Context& context);

}  // namespace quillary
