#include "application.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication qtApp(argc, argv);
    app::prepareQtApplication();
    app::Application application;
    application.start();
    return qtApp.exec();
}
