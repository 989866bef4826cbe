// The reference for start-up: a bare Qt Widgets window of the home window's
// size, in a program that links Qt Widgets alone.

#include <QApplication>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QMainWindow window;
    window.resize(391, 245);
    window.show();
    return QApplication::exec();
}
