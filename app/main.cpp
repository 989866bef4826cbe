#include <QApplication>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow home;
    home.setObjectName(QStringLiteral("Form1"));
    home.show();
    return app.exec();
}
