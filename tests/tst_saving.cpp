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
    QByteArray output;
};

// No display and no XDG_RUNTIME_DIR, as under cron, sudo or ssh. A row
// written to "full/" runs where a file system of 4 KiB, already full, lies
// there: a user and mount namespace of its own (unshare) makes one.
Run runProgram(const QStringList &arguments, const QString &folder) {
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString &name :
         {u"DISPLAY"_s, u"WAYLAND_DISPLAY"_s, u"QT_QPA_PLATFORM"_s, u"XDG_RUNTIME_DIR"_s}) {
        environment.remove(name);
    }
    program.setProcessEnvironment(environment);
    program.setWorkingDirectory(folder);
    if (arguments.join(u' ').contains(u"full/"_s)) {
        const QString fill = u"mount -t tmpfs -o size=4k none full && "
                             "{ head -c 65536 /dev/zero > full/fill; exec \"$0\" \"$@\"; }"_s;
        program.start(u"unshare"_s, QStringList{u"-rm"_s, u"sh"_s, u"-c"_s, fill,
                                                QStringLiteral(WAVYWALL_PROGRAM)} +
                                        arguments);
    } else {
        program.start(QStringLiteral(WAVYWALL_PROGRAM), arguments);
    }
    program.waitForFinished();
    return {program.exitCode(), QString::fromUtf8(program.readAllStandardError()),
            program.readAllStandardOutput()};
}

// What a folder holds besides what each run finds there: a folder named
// d.svg, a file old.svg and the mount point full.
const QStringList fixtures{u"d.svg"_s, u"full"_s, u"old.svg"_s};

QStringList newEntries(const QString &folder) {
    QStringList entries = QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    entries.removeIf([](const QString &name) { return fixtures.contains(name); });
    return entries;
}

} // namespace

// Each row names the files it writes and, in one of them ("-" for standard
// output), bytes it holds. The faults are rows: layers in the files,
// a text read in part, saves that check everything first, a run without a
// display, Turkish reasons, the shortest numbers, the PNG's scale, and the
// subsonic tables.
void SavingTest::commandLine_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("error");
    QTest::addColumn<QStringList>("written");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("holds");
    const QStringList inputs{u"--moo"_s, u"1.44"_s, u"--hbl"_s, u"0.06"_s};
    const QStringList both{u"--save-pressure"_s, u"p.csv"_s, u"--save-flow"_s, u"f.svg"_s};
    const QStringList files{u"f.svg"_s, u"p.csv"_s};
    const auto row = [](const char *name, const QString &arguments, int status,
                        const QString &error, const QStringList &written = {},
                        const QString &file = {}, const QByteArray &holds = {}) {
        QTest::newRow(name) << arguments.split(u' ', Qt::SkipEmptyParts) << status << error
                            << written << file << holds;
    };
    QTest::newRow("both files, shortest numbers")
        << inputs + both << 0 << QString() << files << u"p.csv"_s
        << QByteArray("i,x,Cp\r\n0,0,0\r\n1,0.02,-0.0912023665068449");
    row("a PNG", u"--save-flow f.PNG"_s, 0, {}, {u"f.PNG"_s});
    row("a PNG at three times the size", u"--scale 3 --save-flow f.png"_s, 0, {}, {u"f.png"_s},
        u"f.png"_s, QByteArray("IHDR\x00\x00\x03\xdb", 8));
    row("no scale of 0", u"--scale 0 --save-flow f.png"_s, exitUnusable, u"--scale 0: ölçek"_s);
    row("the second order in the table", u"--second-order --moo 2 --save-pressure p.csv"_s, 0, {},
        {u"p.csv"_s}, u"p.csv"_s, "i,x,Cp,Cp2\r\n0,0,0,0\r\n");
    row("the second order in the picture", u"--second-order --moo 2 --save-pressure p.svg"_s, 0, {},
        {u"p.svg"_s}, u"p.svg"_s, "<path stroke=\"#800080\"");
    row("a decimal comma, warned of", u"--hbl 0,05 --save-flow f.csv"_s, 0,
        u"uyarı: --hbl \"0,05\": yalnızca 0 okundu; virgül sayıyı bitirir"_s, {u"f.csv"_s});
    row("the validity lines", u"--moo 2 --hbl 0.01 --validity"_s, 0, {}, {}, u"-"_s,
        "Moo = 2\nH/L = 0.01\n\xce\xb2 = 1.732\n");
    row("the simple wave in the table",
        u"--exact --second-order --moo 1.15 --save-pressure p.csv"_s, 0, {}, {u"p.csv"_s},
        u"p.csv"_s, "i,x,Cp,Cp2,Cp_exact\r\n");
    row("its gap where the wall is sonic", u"--exact --moo 1.15 --save-pressure p.csv"_s, 0, {},
        {u"p.csv"_s}, u"p.csv"_s, "\r\n31,0.62,0.15147757477805635,\r\n");
    row("the simple wave in the validity lines", u"--moo 2 --hbl 0.01 --validity"_s, 0, {}, {},
        u"-"_s,
        "en b\xc3\xbcy\xc3\xbck Cp: do\xc4\x9frusal 0.07255, ikinci mertebe 0.07823, basit "
        "dalga 0.07847\n");
    row("no validity for Mach 0", u"--moo 0 --validity"_s, exitMessage,
        testing::qstr(messages::machZero));
    row("Mach one", u"--moo 1 --save-flow f.svg"_s, exitMessage, testing::qstr(messages::machOne));
    row("markup read as 0", u"--moo <b>0.5</b> --save-flow f.svg"_s, exitMessage,
        testing::qstr(messages::machZero));
    QTest::newRow("huge") << QStringList{u"--hbl"_s, u"9"_s.repeated(10000), u"--save-flow"_s,
                                         u"f.svg"_s}
                          << exitMessage << testing::qstr(messages::tooLarge) << QStringList()
                          << QString() << QByteArray();
    QTest::newRow("an empty name")
        << QStringList{u"--save-flow"_s, QString(), u"--save-pressure"_s, u"p.csv"_s}
        << exitUnusable << u"--save-flow: dosya adı boş"_s << QStringList() << QString()
        << QByteArray();
    row("one file twice", u"--save-flow same.csv --save-pressure ./same.csv"_s, exitUnusable,
        u"./same.csv: aynı dosyaya iki çizim yazılamaz"_s);
    row("all or none", u"--save-flow old.svg --save-pressure no/x.csv"_s, exitUnusable,
        u"no/x.csv kaydedilemedi: klasör yok"_s, {}, u"old.svg"_s, "old");
    row("a full disk", u"--save-pressure full/p.csv"_s, exitUnusable,
        u"full/p.csv kaydedilemedi: aygıtta yer kalmadı"_s);
    row("a folder", u"--save-flow d.svg"_s, exitUnusable, u"d.svg kaydedilemedi: bu bir klasör"_s);
    row("unknown type", u"--save-flow f.txt"_s, exitUnusable,
        u"f.txt: dosya adı .svg, .png ya da .csv ile bitmeli"_s);
    row("unknown option, in Turkish", u"--bogus"_s, exitUnusable, u"Bilinmeyen seçenek: --bogus"_s);
    row("no display for a window", u"--moo 1.5"_s, exitUnusable, u"Pencere açılamadı"_s);
    row("help with Qt's options, no window", u"--help-all"_s, 0, {}, {}, u"-"_s, "-platform");
    row("subsonic pressure table, fresh", u"--moo 0.63 --hbl 0.07 --save-pressure p.csv"_s, 0, {},
        {u"p.csv"_s}, u"p.csv"_s, "\r\n100,2,-1.13269566864795");
    row("subsonic flow table, no Mach lines", u"--moo 0.63 --save-flow f.csv"_s, 0, {},
        {u"f.csv"_s}, u"f.csv"_s, ",,,,\r\n1,");
}

void SavingTest::commandLine() {
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, error);
    QFETCH(QStringList, written);
    QFETCH(QString, file);
    QFETCH(QByteArray, holds);
    QTemporaryDir folder;
    QDir(folder.path()).mkdir(u"d.svg"_s);
    QDir(folder.path()).mkdir(u"full"_s);
    QFile old(folder.filePath(u"old.svg"_s));
    QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
    old.close();
    const Run run = runProgram(arguments, folder.path());
    if (run.errors.startsWith(u"unshare:"_s) || run.errors.startsWith(u"mount:"_s)) {
        QSKIP(qPrintable(u"no mount namespace here: "_s + run.errors));
    }
    QCOMPARE(run.status, status);
    QVERIFY2(run.errors.contains(error), qPrintable(run.errors));
    QVERIFY2(!run.errors.contains(u"XDG_RUNTIME_DIR"_s), qPrintable(run.errors));
    written.sort();
    QCOMPARE(newEntries(folder.path()), written);
    if (!file.isEmpty()) {
        QFile saved(folder.filePath(file));
        const QByteArray bytes =
            file == u"-"_s ? run.output : (saved.open(QIODevice::ReadOnly) ? saved.readAll() : "");
        QVERIFY2(bytes.contains(holds), bytes.left(400).constData());
    }
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
    if (arguments.contains(u"1.44"_s) && written.contains(u"p.csv"_s)) {
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
             (QStringList{u"&Resmi kaydet…"_s, u"Resmi k&opyala"_s, u"&Verileri kaydet…"_s,
                          u"Verileri &kopyala"_s, u"&Yazdır…"_s}));
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
