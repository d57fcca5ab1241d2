// Results leaving the window: the command line writes the files for its
// inputs with no display at all, refuses with the program's own messages and
// exit statuses, and writes nothing then; the plots' menus save and copy
// what the plots show, and are disabled until there is something to save.
#include "tests/support/windowrig.h"
#include "ui/commandline.h"
#include "ui/plotmenu.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QFile>
#include <QGuiApplication>
#include <QMimeData>
#include <QPdfWriter>
#include <QProcess>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <cmath>

using namespace wavywall;
using namespace Qt::StringLiterals;

class SavingTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void commandLine_data();
    void commandLine();
    void menuFollowsResults();
    void menuOpens_data();
    void menuOpens();
    void menuSaves_data();
    void menuSaves();
    void copiesAndPrints();
};

namespace {

struct Run {
    int status;
    QString errors;
};

Run runProgram(const QStringList &arguments, const QString &folder) {
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString &name : {u"DISPLAY"_s, u"WAYLAND_DISPLAY"_s, u"QT_QPA_PLATFORM"_s}) {
        environment.remove(name);
    }
    program.setProcessEnvironment(environment);
    program.setWorkingDirectory(folder);
    program.start(QStringLiteral(WAVYWALL_PROGRAM), arguments);
    program.waitForFinished();
    return {program.exitCode(), QString::fromUtf8(program.readAllStandardError())};
}

} // namespace

void SavingTest::commandLine_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("error");
    QTest::addColumn<QStringList>("written");
    const QStringList both{u"--save-pressure"_s, u"p.csv"_s, u"--save-flow"_s, u"f.svg"_s};
    QTest::newRow("both files") << (QStringList{u"--moo"_s, u"1.44"_s, u"--hbl"_s, u"0.06"_s}
                                    << both)
                                << 0 << QString() << QStringList{u"p.csv"_s, u"f.svg"_s};
    QTest::newRow("a PNG") << QStringList{u"--save-flow"_s, u"f.PNG"_s} << 0 << QString()
                           << QStringList{u"f.PNG"_s};
    QTest::newRow("Mach one") << (QStringList{u"--moo"_s, u"1"_s} << both) << exitMessage
                              << testing::qstr(messages::machOne) << QStringList();
    QTest::newRow("markup read as 0")
        << (QStringList{u"--moo"_s, u"<b>0.5</b>"_s} << both) << exitMessage
        << testing::qstr(messages::machZero) << QStringList();
    QTest::newRow("huge") << (QStringList{u"--hbl"_s, u"9"_s.repeated(10000)} << both)
                          << exitMessage << testing::qstr(messages::tooLarge) << QStringList();
    QTest::newRow("help with Qt's options, no window")
        << QStringList{u"--help-all"_s} << 0 << QString() << QStringList();
    QTest::newRow("unknown option")
        << QStringList{u"--colour"_s, u"red"_s} << exitUnusable << u"colour"_s << QStringList();
    QTest::newRow("unknown type") << QStringList{u"--save-flow"_s, u"f.txt"_s} << exitUnusable
                                  << u"f.txt"_s << QStringList();
    QTest::newRow("missing folder") << QStringList{u"--save-flow"_s, u"no/f.svg"_s} << exitUnusable
                                    << u"no/f.svg kaydedilemedi"_s << QStringList();
    QTest::newRow("a folder") << QStringList{u"--save-flow"_s, u"d.svg"_s} << exitUnusable
                              << u"d.svg kaydedilemedi"_s << QStringList{u"d.svg"_s};
}

void SavingTest::commandLine() {
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, error);
    QFETCH(QStringList, written);
    QTemporaryDir folder;
    QDir(folder.path()).mkdir(u"d.svg"_s);
    const Run run = runProgram(arguments, folder.path());
    QCOMPARE(run.status, status);
    QVERIFY2(run.errors.contains(error), qPrintable(run.errors));
    QStringList files = QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    QCOMPARE(files.size(), written.size() + (written.contains(u"d.svg"_s) ? 0 : 1));
    if (arguments.contains(u"f.svg"_s) && status == 0) {
        QFile svg(folder.filePath(u"f.svg"_s));
        QVERIFY(svg.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&svg);
        int paths = 0;
        while (xml.readNext() != QXmlStreamReader::EndDocument && !xml.hasError()) {
            paths += xml.isStartElement() && xml.name() == "path"_L1;
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QCOMPARE(paths, 4); // grey, green, red, blue
    }
    if (written.contains(u"p.csv"_s)) {
        // Cp = -4 pi (H/L) sin(2 pi x / L) / Beta at M = 1.44, H/L = 0.06, to
        // the last bit (QCOMPARE would forgive the last digits).
        QFile csv(folder.filePath(u"p.csv"_s));
        QVERIFY(csv.open(QIODevice::ReadOnly));
        const QList<QByteArray> rows = csv.readAll().split('\n');
        QCOMPARE(rows.size(), 103); // header, 101 rows, nothing after the last CRLF
        const double pi = std::atan(1.0) * 4;
        const double beta = std::sqrt(1.44 * 1.44 - 1);
        for (int i = 0; i <= 100; ++i) {
            const QList<QByteArray> fields = rows[i + 1].trimmed().split(',');
            const double x = i / 100.0 * 2;
            QVERIFY(fields[1].toDouble() == x);
            QVERIFY(fields[2].toDouble() == -4 * pi / beta * 0.06 * std::sin(2 * pi * x));
        }
    }
}

namespace {
QStringList enabledCommands(PlotMenu &menu) {
    QStringList names;
    for (QAction *action : menu.menu().actions()) {
        if (action->isEnabled() && !action->isSeparator()) {
            names.append(action->text());
        }
    }
    return names;
}
} // namespace

void SavingTest::menuFollowsResults() {
    testing::WindowRig rig;
    PlotMenu &menu = rig.form.plotMenu(Plot::pressure);
    QVERIFY(enabledCommands(menu).isEmpty());
    rig.calculate();
    QCOMPARE(enabledCommands(menu),
             (QStringList{u"Resmi kaydet…"_s, u"Resmi kopyala"_s, u"Verileri kaydet…"_s,
                          u"Verileri kopyala"_s, u"Yazdır…"_s}));
    rig.box(u"Text_Moo"_s)->setText(u"abc"_s);
    rig.calculate();
    QVERIFY(enabledCommands(menu).isEmpty());
}

void SavingTest::menuOpens_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::newRow("right button") << 0 << Qt::KeyboardModifiers();
    QTest::newRow("Menu key") << int(Qt::Key_Menu) << Qt::KeyboardModifiers();
    QTest::newRow("Shift+F10") << int(Qt::Key_F10) << Qt::KeyboardModifiers(Qt::ShiftModifier);
}

void SavingTest::menuOpens() {
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    testing::WindowRig rig;
    PictureBox *box = rig.flowBox();
    if (key == 0) {
        QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(10, 10),
                                box->mapToGlobal(QPoint(10, 10)));
        QCoreApplication::sendEvent(box, &click);
    } else {
        QTest::keyClick(box, Qt::Key(key), modifiers);
    }
    QMenu &menu = rig.form.plotMenu(Plot::flow).menu();
    QTRY_VERIFY(menu.isVisible());
    menu.close();
}

void SavingTest::menuSaves_data() {
    QTest::addColumn<int>("command");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("start");
    QTest::newRow("PNG") << 0 << u"a.png"_s << QByteArray("\x89PNG");
    QTest::newRow("SVG") << 0 << u"a.svg"_s << QByteArray("<?xml version=\"1.0\"");
    QTest::newRow("CSV") << 2 << u"a.csv"_s << QByteArray("i,x,Cp\r\n0,0,");
}

// The file dialog is answered at once; the saved file is read back.
void SavingTest::menuSaves() {
    QFETCH(int, command);
    QFETCH(QString, file);
    QFETCH(QByteArray, start);
    testing::WindowRig rig;
    rig.calculate();
    QTemporaryDir folder;
    PlotMenu &menu = rig.form.plotMenu(Plot::pressure);
    QString suggested;
    menu.setAskFileName([&](const QString &, const QString &name, const QString &) {
        suggested = name;
        return folder.filePath(file);
    });
    menu.menu().actions().at(command)->trigger();
    QVERIFY(suggested.startsWith(u"wavywall-basinc-Moo1.01-HbL0.01."_s));
    QFile saved(folder.filePath(file));
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QVERIFY(saved.readAll().startsWith(start));
    QVERIFY(rig.messages.isEmpty());
}

void SavingTest::copiesAndPrints() {
    testing::WindowRig rig;
    rig.calculate();
    QVERIFY(QTest::qWaitForWindowActive(&rig.form));
    rig.flowBox()->setFocus();
    QTest::keyClick(rig.flowBox(), Qt::Key_C, Qt::ControlModifier);
    const QMimeData *copied = QGuiApplication::clipboard()->mimeData();
    QVERIFY(copied && copied->hasImage() && copied->data(u"image/svg+xml"_s).startsWith("<?xml"));
    rig.form.plotMenu(Plot::pressure).menu().actions().at(3)->trigger();
    QVERIFY(QGuiApplication::clipboard()->text().startsWith(u"i\tx\tCp\r\n0\t0\t"_s));
    QTemporaryDir folder;
    {
        QPdfWriter pdf(folder.filePath(u"page.pdf"_s));
        rig.form.printPlots(pdf);
    }
    QFile page(folder.filePath(u"page.pdf"_s));
    QVERIFY(page.open(QIODevice::ReadOnly));
    QVERIFY(page.readAll().startsWith("%PDF"));
}

QTEST_MAIN(SavingTest)
#include "tst_saving.moc"
