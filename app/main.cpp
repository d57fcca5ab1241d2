// wavywall: linearized supersonic flow over a wavy wall.
#include "ui/appicon.h"
#include "ui/commandline.h"
#include "ui/form1.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

QStringList argumentsOf(int argc, char *argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments.append(QString::fromLocal8Bit(argv[i]));
    }
    return arguments;
}

// Saving files needs no display: the offscreen platform paints the PNG's
// title without one.
int saveWithoutWindow(int argc, char *argv[], const wavywall::CommandLine &line) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    return wavywall::saveFiles(line);
}

} // namespace

int main(int argc, char *argv[]) {
    using Action = wavywall::CommandLine::Action;
    const wavywall::CommandLine line = wavywall::readCommandLine(argumentsOf(argc, argv));
    switch (line.action) {
    case Action::print:
        std::fputs(qUtf8Printable(line.text), stdout);
        return 0;
    case Action::fail:
        std::fputs(qUtf8Printable(line.text + u'\n'), stderr);
        return wavywall::exitUnusable;
    case Action::saveFiles:
        return saveWithoutWindow(argc, argv, line);
    case Action::showWindow:
        break;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(u"wavywall"_s);
    // Ties the windows to the installed launcher, for task bars on Wayland.
    QApplication::setDesktopFileName(u"org.example.wavywall"_s);
    QApplication::setWindowIcon(wavywall::appIcon());
    wavywall::Form1 window;
    window.show();
    if (line.moo || line.hbl) {
        // Once the window shows, so that a message box has it to stand over.
        QTimer::singleShot(0, &window,
                           [&window, &line] { window.calculateWith(line.moo, line.hbl); });
    }
    return QApplication::exec();
}
