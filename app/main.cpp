#include "application.h"
#include "command_line.h"
#include "font_warm_up.h"
#include "no_display.h"
#include "platform_choice.h"
#include "user_language.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char *argv[])
{
    // --help and --version answer before anything starts: no display, no window.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    const app::CommandLine line = app::readCommandLine(arguments, app::processPrefersArabic());
    if (line.action != app::CommandLine::Action::Run) {
        std::fputs(line.text.toLocal8Bit().constData(),
                   line.action == app::CommandLine::Action::Print ? stdout : stderr);
        return line.exitCode;
    }

    app::limitHeaps();
    app::FontWarmUp fonts; // beside the QApplication's making, on another core
    app::PlatformArguments platformArguments(argc, argv);
    app::NoDisplayGuard guard; // only while the QApplication is made
    QApplication qtApp(platformArguments.argc(), platformArguments.argv());
    guard.release();
    fonts.applicationReady();
    app::prepareQtApplication();
    app::Application application;
    application.start();
    fonts.wait(); // long done: the home window's text needed the list
    return qtApp.exec();
}
