#include "application.h"
#include "no_display.h"
#include "platform_choice.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    app::limitHeaps();
    app::PlatformArguments arguments(argc, argv);
    app::NoDisplayGuard guard; // only while the QApplication is made
    QApplication qtApp(arguments.argc(), arguments.argv());
    guard.release();
    app::prepareQtApplication();
    app::Application application;
    application.start();
    return qtApp.exec();
}
