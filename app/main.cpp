// wavywall: linearized supersonic flow over a wavy wall.
#include "ui/appicon.h"
#include "ui/form1.h"

#include <QApplication>

using namespace Qt::StringLiterals;

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(u"wavywall"_s);
    // Ties the windows to the installed launcher, for task bars on Wayland.
    QApplication::setDesktopFileName(u"org.example.wavywall"_s);
    QApplication::setWindowIcon(wavywall::appIcon());
    wavywall::Form1 window;
    window.show();
    return QApplication::exec();
}
