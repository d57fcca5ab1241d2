// wavywall: linearized supersonic flow over a wavy wall.
#include "ui/appicon.h"
#include "ui/commandline.h"
#include "ui/form1.h"
#include "ui/qttranslation.h"
#include "ui/windowlessrun.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

using namespace Qt::StringLiterals;

namespace {

QStringList argumentsOf(int argc, char *argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments.append(QString::fromLocal8Bit(argv[i]));
    }
    return arguments;
}

// While the toolkit starts, its own messages stay unsaid: English warnings
// such as "XDG_RUNTIME_DIR not set" (under cron, sudo or ssh) are no concern
// of the user's. A toolkit that cannot start at all ends the program with its
// reason in Turkish and the status of an unusable display.
[[noreturn]] void endUnusable(const char *reason) {
    std::fputs(reason, stderr);
    std::_Exit(wavywall::exitUnusable);
}

void quietWindowStart(QtMsgType type, const QMessageLogContext &, const QString &) {
    if (type == QtFatalMsg) {
        endUnusable("Pencere açılamadı: ekrana bağlanılamadı (DISPLAY ya da WAYLAND_DISPLAY). "
                    "Dosyalar ekransız yazılır: --save-flow, --save-pressure, --validity.\n");
    }
}

void quietWithoutWindow(QtMsgType type, const QMessageLogContext &, const QString &) {
    if (type == QtFatalMsg) {
        endUnusable("PNG çizilemedi: Qt başlatılamadı.\n");
    }
}

// Writing files needs no display: only a PNG needs the toolkit, for the
// title's font, and the offscreen platform gives it without one.
int runWithoutWindow(int argc, char *argv[], const wavywall::CommandLine &line) {
    if (!line.writesPng()) {
        return wavywall::runWithoutWindow(line);
    }
    qInstallMessageHandler(quietWithoutWindow);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    return wavywall::runWithoutWindow(line);
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
    case Action::runWithoutWindow:
        return runWithoutWindow(argc, argv, line);
    case Action::showWindow:
        break;
    }
    const QtMessageHandler toolkitMessages = qInstallMessageHandler(quietWindowStart);
    QApplication app(argc, argv);
    qInstallMessageHandler(toolkitMessages);
    QApplication::setApplicationName(u"wavywall"_s);
    // Ties the windows to the installed launcher, for task bars on Wayland.
    QApplication::setDesktopFileName(u"org.example.wavywall"_s);
    QApplication::setWindowIcon(wavywall::appIcon());
    wavywall::installQtTurkish(app);
    wavywall::Form1 window;
    window.show();
    if (line.moo || line.hbl) {
        // Once the window shows, so that a message box has it to stand over.
        QTimer::singleShot(0, &window,
                           [&window, &line] { window.calculateWith(line.moo, line.hbl); });
    }
    return QApplication::exec();
}
