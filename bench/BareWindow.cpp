// The yardstick for the editor's start-up: a bare Qt 6 main window.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.resize(750, 560);
    window.show();
    return QApplication::exec();
}
