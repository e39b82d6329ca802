// The operator's hook program on received picture commands: its arguments
// and environment, a hook that hangs, and one that does not exist.
#include <signal.h>

#include <QStringList>
#include <chrono>
#include <filesystem>
#include <thread>

#include "support/Form1Harness.h"
#include "receive/CommandHook.h"

namespace quillary::testing {
namespace {

class CommandHookTest : public LoadedWindowTest {
 protected:
  void receiveLine(const std::string& line) {
    for (unsigned char byte : line) notify(h, kMsgCharacter, byte);
    receive(h, {13, 10});
  }
  // A shell script as the hook, named in hook.ini as the settings dialog writes it.
  void hookScript(const std::string& body) {
    const std::filesystem::path script = h.file("hook script.sh");
    writeBytes(script, "#!/bin/sh\n" + body);
    std::filesystem::permissions(script, std::filesystem::perms::owner_all);
    ASSERT_TRUE(writeHookIni(h.state().programFolder, QString::fromStdString(script.string())));
  }
  // The hook runs on its own; its file appears when it has run.
  std::string awaitFile(const char* name) {
    for (int i = 0; i < 1000 && !std::filesystem::exists(h.file(name)); ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return readBytes(h.file(name));
  }
};

TEST_F(CommandHookTest, TheHookGetsTheCommandImdAndCallAsArgumentsAndEnvironmentWithoutAShell) {
  hookScript("printf '[%s]' \"$@\" \"$QUILLARY_COMMAND\" \"$QUILLARY_IMD\" \"$QUILLARY_CALL\" > ran.tmp\n"
             "mv ran.tmp ran\n");
  receiveLine("de 'x' :other/html $HOME;");
  EXPECT_EQ(awaitFile("ran"), "[DE 'X' :OTHER/HTML $HOME;][-10][DE 'X' :OTHER/HTML $HOME;][-10][OTHER]");
  EXPECT_EQ(readBytes(h.file("hook.ini")), "\"" + h.file("hook script.sh").string() + "\"\r\n");
}

TEST_F(CommandHookTest, AHookThatHangsHoldsUpNeitherTheNextCommandNorTheWindow) {
  // Its console let go, so that nothing waits on its output either.
  hookScript("exec >/dev/null 2>&1\necho $$ > \"$QUILLARY_CALL.pid\"\nexec sleep 60\n");
  receiveLine(":FIRST/PHOTO");
  receiveLine(":SECOND/PHOTO");
  EXPECT_EQ(readBytes(h.file("cmd_data.txt")), ":SECOND/PHOTO\r\n-10 \r\n");
  for (const char* pidFile : {"FIRST.pid", "SECOND.pid"}) {
    const int pid = std::atoi(awaitFile(pidFile).c_str());
    ASSERT_GT(pid, 1);
    EXPECT_EQ(::kill(pid, SIGTERM), 0) << "the hook of " << pidFile << " was still running";
  }
}

QStringList consoleLines;
void keepConsoleLine(QtMsgType, const QMessageLogContext&, const QString& line) { consoleLines << line; }

TEST_F(CommandHookTest, AHookThatCannotBeStartedSaysSoInOneConsoleLine) {
  ASSERT_TRUE(writeHookIni(h.state().programFolder, "/no/such/hook"));
  consoleLines.clear();
  const QtMessageHandler before = qInstallMessageHandler(keepConsoleLine);
  receiveLine(":OTHER/PHOTO");
  qInstallMessageHandler(before);
  ASSERT_EQ(consoleLines.size(), 1) << consoleLines.join('\n').toStdString();
  EXPECT_TRUE(consoleLines[0].contains("/no/such/hook")) << consoleLines[0].toStdString();
  EXPECT_EQ(readBytes(h.file("cmd_data.txt")), ":OTHER/PHOTO\r\n-10 \r\n");
}

}  // namespace
}  // namespace quillary::testing
