// wavywall: linearized supersonic flow over a wavy wall.
#include "ui/form1.h"

#include <QApplication>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(u"wavywall"_qs);
    QApplication::setApplicationDisplayName(u"wavywall"_qs);
    wavywall::Form1 window;
    window.show();
    return QApplication::exec();
}
