#include "application.h"
#include "platform_choice.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    app::PlatformArguments arguments(argc, argv);
    QApplication qtApp(arguments.argc(), arguments.argv());
    app::prepareQtApplication();
    app::Application application;
    application.start();
    return qtApp.exec();
}
