#pragma once

// The program's command line, read before anything else starts: --help and
// --version answer and end the program without a display or a window, an
// unknown option is an error, and Qt's own options (-platform, -display,
// -style, -reverse ...) pass through to Qt. Nothing else on the command
// line changes what the program does.

#include <QString>
#include <QStringList>

namespace app {

struct CommandLine
{
    enum class Action { Run, Print, Fail };
    Action action = Action::Run;
    QString text;     // what to print: to stdout for Print, to stderr for Fail
    int exitCode = 0; // for Print and Fail
};

// Reads the arguments (the program's name first), with the texts in Arabic
// or English.
CommandLine readCommandLine(const QStringList &arguments, bool arabic);

} // namespace app
