// The Teori menu as its user meets it: after About, the second-order Cp over
// the pressure plot only while checked, with the plots otherwise exactly as
// they are without it, and one validity window that follows each
// recalculation. The verdicts are the references (2 / 0.01 good,
// 2 / 0.02 rough, 1.2 / 0.01 sonic) and their subsonic and refused kin.
#include "tests/support/windowrig.h"
#include "ui/formabout.h"
#include "ui/formvalidity.h"
#include "ui/plotmenu.h"
#include "ui/plotprinter.h"
#include "ui/qttranslation.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;
using namespace wavywall;
using Window = wavywall::testing::WindowRig;

class TheoryTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void menuFollowsAbout();
    void overlayAndVerdict_data();
    void overlayAndVerdict();
    void layersLeaveTheWindow();
    void simpleWaveOverBothPlots();
    void partialReadingIsTold();
    void smallWindowsOpenBeside();
    void printOffersTheSavesName();
    void qtSpeaksTurkish();
};

void TheoryTest::menuFollowsAbout() {
    Window w;
    const QList<QAction *> items = w.form.menuBar()->actions().back()->menu()->actions();
    QCOMPARE(items[0]->text(), u"İ&kinci mertebe Cp"_s);
    QVERIFY(items[0]->isCheckable() && !items[0]->isChecked());
    QCOMPARE(items[1]->text(), u"&Basit dalga çözümü"_s);
    QVERIFY(items[1]->isCheckable() && !items[1]->isChecked());
    QCOMPARE(items[2]->text(), u"&Geçerlilik…"_s);
}

void TheoryTest::overlayAndVerdict_data() {
    QTest::addColumn<QString>("moo");
    QTest::addColumn<QString>("hbl");
    QTest::addColumn<int>("overlayLines");
    QTest::addColumn<QString>("verdict");
    QTest::newRow("2 / 0.01 good") << u"2"_s << u"0.01"_s << 100 << u"Doğrusal teori iyi"_s;
    QTest::newRow("2 / 0.02 rough") << u"2"_s << u"0.02"_s << 100 << u"Doğrusal teori kaba"_s;
    QTest::newRow("1.2 / 0.01 sonic")
        << u"1.2"_s << u"0.01"_s << 100 << u"Doğrusal teori geçersiz"_s;
    QTest::newRow("0.5 / 0.05 subsonic")
        << u"0.5"_s << u"0.05"_s << 0 << u"Doğrusal teori geçerli"_s;
    QTest::newRow("0,8 read as 0")
        << u"0,8"_s << u"0.01"_s << 0 << testing::qstr(messages::machZero).trimmed();
}

void TheoryTest::overlayAndVerdict() {
    QFETCH(QString, moo);
    QFETCH(QString, hbl);
    QFETCH(int, overlayLines);
    QFETCH(QString, verdict);
    Window w;
    Window plain;
    for (Window *rig : {&w, &plain}) {
        rig->box(u"Text_Moo"_s)->setText(moo);
        rig->box(u"Text_HbL"_s)->setText(hbl);
    }
    auto *secondOrder = w.find<QAction>(u"Nm_İkinciMertebe"_s);
    secondOrder->trigger();
    w.calculate();
    plain.calculate();
    QCOMPARE(int(w.pressureBox()->overlayList().size()), overlayLines);
    QVERIFY(testing::sameLines(w.pressure(), plain.pressure()));
    QVERIFY(testing::sameLines(w.flow(), plain.flow()));
    secondOrder->trigger();
    QVERIFY(w.pressureBox()->overlayList().empty());

    auto *validity = w.find<QAction>(u"Nm_Geçerlilik"_s);
    validity->trigger();
    validity->trigger();
    Form_Validity *window = w.form.validityWindow();
    QVERIFY(window && window->isVisible());
    QCOMPARE(window->findChildren<QLabel *>().size(), 1);
    const QLabel *text = window->findChild<QLabel *>(u"Form_Validity_text"_s);
    QVERIFY2(text->text().contains(verdict), qPrintable(text->text()));
    QCOMPARE(QAccessible::queryAccessibleInterface(window)->role(), QAccessible::Dialog);
    // It follows the next recalculation while open.
    w.box(u"Text_Moo"_s)->setText(u"2"_s);
    w.box(u"Text_HbL"_s)->setText(u"0.01"_s);
    w.calculate();
    QVERIFY(text->text().endsWith(u"≤ 0.1."_s));
    window->close();
}

namespace {

QByteArray bytesOf(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool hasPurple(const QImage &image) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() > 90 && c.blue() > 90 && c.green() < 60) {
                return true;
            }
        }
    }
    return false;
}

// The pressure plot's legend entry for a layer: shown with the layer, with
// a line of the layer's own colour, and right of every line the plot draws.
void checkLegend(const Window &w, const QString &name, QRgb colour) {
    auto *legend = w.find<QLabel>(name);
    QVERIFY(legend->isVisible());
    const QImage shown = legend->grab().toImage().convertToFormat(QImage::Format_RGB32);
    bool swatch = false;
    for (int x = 0; x < shown.width(); ++x) {
        swatch = swatch || (shown.pixel(x, shown.height() / 2) & 0xFFFFFFu) == (colour & 0xFFFFFFu);
    }
    QVERIFY2(swatch, qPrintable(name));
    const PictureBox &box = *w.pressureBox();
    double right = 0;
    for (const auto *list : {&box.displayList(), &box.overlayList(), &box.exactOverlayList()}) {
        for (const auto &[line, lineColour] : *list) {
            right = std::max({right, line.from.u, line.to.u});
        }
    }
    const QRect area = box.contentsRect();
    QVERIFY(legend->geometry().left() > area.left() + right * area.width());
}

qint64 printedSize(const Window &w, const QString &path) {
    {
        QPdfWriter pdf(path);
        w.form.printPlots(pdf);
    }
    return QFileInfo(path).size();
}

} // namespace

// What the window shows with the second order on, every way out of the
// window carries: the saved SVG and PNG, the copied picture, the saved and
// copied tables, the printed page and the screen reader's description.
void TheoryTest::layersLeaveTheWindow() {
    Window w;
    QAccessible::setActive(true);
    w.moo()->setText(u"2"_s);
    w.hbl()->setText(u"0.05"_s);
    w.calculate();
    QTemporaryDir folder;
    const qint64 linearPage = printedSize(w, folder.filePath(u"linear.pdf"_s));
    w.find<QAction>(u"Nm_İkinciMertebe"_s)->trigger();
    checkLegend(w, u"Label_İkinciMertebe"_s, qRgb(128, 0, 128));
    PlotMenu &menu = w.form.plotMenu(Plot::pressure);
    QVERIFY(menu.savePictureTo(folder.filePath(u"p.svg"_s)).isEmpty());
    QVERIFY(bytesOf(folder.filePath(u"p.svg"_s)).contains("<path stroke=\"#800080\""));
    QVERIFY(menu.savePictureTo(folder.filePath(u"p.png"_s)).isEmpty());
    QVERIFY(hasPurple(QImage(folder.filePath(u"p.png"_s))));
    QVERIFY(menu.saveDataTo(folder.filePath(u"p.csv"_s)).isEmpty());
    QVERIFY(bytesOf(folder.filePath(u"p.csv"_s)).startsWith("i,x,Cp,Cp2\r\n0,0,0,0\r\n"));
    w.pressureBox()->setFocus();
    QTest::keyClick(w.pressureBox(), Qt::Key_C, Qt::ControlModifier);
    QVERIFY(hasPurple(QGuiApplication::clipboard()->image()));
    menu.menu().actions().at(3)->trigger();
    QVERIFY(QGuiApplication::clipboard()->text().startsWith(u"i\tx\tCp\tCp2\r\n"_s));
    // A hundred purple segments more on the page.
    QVERIFY(printedSize(w, folder.filePath(u"layers.pdf"_s)) > linearPage + 500);
    QVERIFY(w.pressureBox()->accessibleDescription().contains(
        u"Mor eğri ikinci mertebe Cp: en büyük"_s));
    w.find<QAction>(u"Nm_İkinciMertebe"_s)->trigger();
    QVERIFY(!w.pressureBox()->accessibleDescription().contains(u"Mor eğri"_s));
    QVERIFY(w.find<QLabel>(u"Label_İkinciMertebe"_s)->isHidden());
    QAccessible::setActive(false);
}

// The simple wave draws over both plots (seven characteristics and the
// shock's cross at Moo 1.15, where two wall points are sonic; the exact Cp
// with gaps), names its colour in the legend and leaves the window with
// them; off, both layers are empty.
void TheoryTest::simpleWaveOverBothPlots() {
    Window w;
    QAccessible::setActive(true);
    w.moo()->setText(u"1.15"_s);
    w.calculate();
    auto *exact = w.find<QAction>(u"Nm_BasitDalgaÇözümü"_s);
    exact->trigger();
    QCOMPARE(int(w.flowBox()->exactOverlayList().size()), 9);
    QCOMPARE(int(w.pressureBox()->exactOverlayList().size()), 70);
    checkLegend(w, u"Label_BasitDalgaÇözümü"_s, qRgb(0, 128, 128));
    QVERIFY(w.find<QLabel>(u"Label_İkinciMertebe"_s)->isHidden());
    QTemporaryDir folder;
    QVERIFY(w.form.plotMenu(Plot::flow).savePictureTo(folder.filePath(u"f.svg"_s)).isEmpty());
    QVERIFY(bytesOf(folder.filePath(u"f.svg"_s)).contains("<path stroke=\"#008080\""));
    QVERIFY(w.form.plotMenu(Plot::pressure).saveDataTo(folder.filePath(u"p.csv"_s)).isEmpty());
    QVERIFY(bytesOf(folder.filePath(u"p.csv"_s)).startsWith("i,x,Cp,Cp_exact\r\n"));
    QVERIFY(w.flowBox()->accessibleDescription().contains(u"Şok duvarda"_s));
    exact->trigger();
    QVERIFY(w.flowBox()->exactOverlayList().empty() && w.pressureBox()->exactOverlayList().empty());
    QVERIFY(w.find<QLabel>(u"Label_BasitDalgaÇözümü"_s)->isHidden());
    QAccessible::setActive(false);
}

// A box whose text was read only up to a comma says so beside the boxes,
// with the number read, and tells a screen reader in its description; the
// next whole reading takes the note away.
void TheoryTest::partialReadingIsTold() {
    Window w;
    auto *note = w.find<QLabel>(u"Label_HbLNote"_s);
    QVERIFY(note->isHidden());
    w.hbl()->selectAll();
    QTest::keyClicks(w.hbl(), u"0,05"_s);
    w.calculate();
    const QString told = u"yalnızca 0 okundu; virgül sayıyı bitirir, ondalık ayracı noktadır"_s;
    QVERIFY(note->isVisible());
    QCOMPARE(note->text(), u"H/L: "_s + told);
    QCOMPARE(w.hbl()->accessibleDescription(), told);
    QVERIFY(w.find<QLabel>(u"Label_MooNote"_s)->isHidden());
    QVERIFY(!note->geometry().intersects(w.find<QWidget>(u"Picture_basınç"_s)->geometry()));
    w.hbl()->selectAll();
    QTest::keyClicks(w.hbl(), u"0.05"_s);
    w.calculate();
    QVERIFY(note->isHidden() && w.hbl()->accessibleDescription().isEmpty());
    // "1,5" reads as Mach one: the note stands while the message is up.
    bool toldWithMessage = false;
    w.messenger.setFunction([&](const QString &) {
        toldWithMessage = w.find<QLabel>(u"Label_MooNote"_s)->isVisible();
    });
    w.moo()->selectAll();
    QTest::keyClicks(w.moo(), u"1,5"_s);
    w.calculate();
    QVERIFY(toldWithMessage);
}

// About and the validity window open beside the main window, not where a
// window manager puts new windows. The main window is narrowed so that both
// have room on the offscreen platform's screen of 800 pixels.
void TheoryTest::smallWindowsOpenBeside() {
    Window w;
    w.form.setGeometry(10, 30, 300, 300);
    w.aboutCommand()->trigger();
    w.find<QAction>(u"Nm_Geçerlilik"_s)->trigger();
    for (QWidget *small : {static_cast<QWidget *>(w.form.aboutWindow()),
                           static_cast<QWidget *>(w.form.validityWindow())}) {
        QVERIFY(small->isVisible());
        QCOMPARE(small->frameGeometry().top(), w.form.frameGeometry().top());
        QVERIFY2(small->frameGeometry().left() > w.form.frameGeometry().right(),
                 qPrintable(u"%1 opens at x = %2"_s.arg(small->objectName())
                                .arg(small->frameGeometry().left())));
        small->close();
    }
}

// The print dialog offers a PDF under the saves' name in the documents
// folder, with the inputs in its title, where it has no printer to offer.
void TheoryTest::printOffersTheSavesName() {
    QPrinter printer;
    preparePrinter(printer, u"wavywall-Moo2-HbL0.05"_s, u"Tesvelin, Moo = 2"_s);
    QCOMPARE(printer.docName(), u"Tesvelin, Moo = 2"_s);
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        const QString documents =
            QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        const QString folder = QDir(documents).exists() ? documents : QDir::homePath();
        QCOMPARE(printer.outputFileName(), folder + u"/wavywall-Moo2-HbL0.05.pdf"_s);
    }
}

// Qt's own buttons and dialogs speak the window's Turkish.
void TheoryTest::qtSpeaksTurkish() {
    const bool installed = installQtTurkish(*qApp);
    if (!installed && qEnvironmentVariableIntValue("WAVYWALL_REQUIRE_TOOLS") != 1) {
        QSKIP("Qt's Turkish translations (qt6-translations-l10n) are not installed");
    }
    QVERIFY(installed);
    QDialogButtonBox buttons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QCOMPARE(buttons.button(QDialogButtonBox::Ok)->text().remove(u'&'), u"Tamam"_s);
    QCOMPARE(buttons.button(QDialogButtonBox::Cancel)->text().remove(u'&'), u"İptal"_s);
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    QCOMPARE(dialog.labelText(QFileDialog::Accept).remove(u'&'), u"Kaydet"_s);
}

QTEST_MAIN(TheoryTest)
#include "tst_theory.moc"
