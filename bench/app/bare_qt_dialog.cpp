// The yardstick of the idle benchmark: a Qt Widgets program that does nothing but hold a hidden
// dialog in its event loop.
#include <QApplication>
#include <QDialog>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    QDialog dialog;
    dialog.winId();
    return QApplication::exec();
}
