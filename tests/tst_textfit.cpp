// Every text the layout fixes shows whole at the resolution the test runs at
// (the suite runs it again at 120 and 144 dots per inch without Qt's own
// scaling): at the default font shrunk where it does not fit, and no further
// than it must; at desktop fonts up to 16 pt the window grows with the font,
// and no text is smaller than at the default font.
#include "ui/form1.h"
#include "ui/formabout.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <algorithm>
#include <iterator>

using namespace Qt::StringLiterals;

using namespace wavywall;

namespace {

// The room each kind of control leaves for its one line of text at the
// resolutions the suite runs at, in pixels, as the offscreen platform's style
// lays the controls out: a text box's line inside its frame and margins, less
// the cursor's pixel after the text (a longer text scrolls and hides its
// first characters); a button's face inside its bevel. A label's is its own.
struct Rooms {
    double dpi;
    QSizeF box;
    QSizeF button;
};
constexpr Rooms roomsAt[] = {
    {96, {34, 15}, {79, 31}}, {120, {44, 20}, {99, 39}}, {144, {55, 25}, {120, 48}}};

struct Shown {
    QString text;
    QFont font;
    QSizeF room;
};

Shown shownBy(QWidget *control, double dpi) {
    const auto rooms = std::find_if(std::begin(roomsAt), std::end(roomsAt),
                                    [dpi](const Rooms &r) { return r.dpi == dpi; });
    if (rooms == std::end(roomsAt)) {
        qFatal("no rooms known at %g dots per inch", dpi);
    }
    if (auto *box = qobject_cast<QLineEdit *>(control)) {
        return {box->text(), box->font(), rooms->box};
    }
    if (auto *button = qobject_cast<QPushButton *>(control)) {
        return {button->text(), button->font(), rooms->button};
    }
    auto *label = qobject_cast<QLabel *>(control);
    return {label->text(), label->font(), label->contentsRect().size()};
}

// Lines are placed by their height in whole pixels.
bool fitsIn(const QFont &font, const QString &text, QSizeF room) {
    return QFontMetricsF(font).horizontalAdvance(text) <= room.width() &&
           QFontMetrics(font).height() <= room.height();
}

/// The desktop's font at a size, for the life of the object.
struct DesktopFont {
    QFont before = QApplication::font();
    explicit DesktopFont(double pointSize) {
        QFont font = before;
        font.setPointSizeF(pointSize);
        QApplication::setFont(font);
    }
    ~DesktopFont() { QApplication::setFont(before); }
    DesktopFont(const DesktopFont &) = delete;
    DesktopFont &operator=(const DesktopFont &) = delete;
};

const char *const mainWindowTexts[] = {"Text_Moo", "Text_HbL", "Command1", "Label1",
                                       "Label2",   "Label3",   "Label4"};

double fontSizeOf(const QString &control, double desktopPointSize) {
    const DesktopFont desktop(desktopPointSize);
    Form1 form;
    return form.findChild<QWidget *>(control)->font().pointSizeF();
}

} // namespace

class TextFitTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void mainWindowTextsShowWhole_data();
    void mainWindowTextsShowWhole();
    void aboutLinesShowWhole_data();
    void aboutLinesShowWhole();
    void largeDesktopFontGrowsTheWindow_data();
    void largeDesktopFontGrowsTheWindow();
    void desktopFontKeptWhereItFits_data();
    void desktopFontKeptWhereItFits();
};

// The suite names the resolution each run is meant for.
void TextFitTest::initTestCase() {
    const QByteArray expected = qgetenv("WAVYWALL_EXPECTED_DPI");
    if (!expected.isEmpty()) {
        QCOMPARE(QGuiApplication::primaryScreen()->logicalDotsPerInch(), expected.toDouble());
        QCOMPARE(QGuiApplication::primaryScreen()->devicePixelRatio(), 1.0);
    }
}

void TextFitTest::mainWindowTextsShowWhole_data() {
    QTest::addColumn<double>("pointSize");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("typed");
    for (const double size : {8.0, 9.0}) {
        for (const char *control : mainWindowTexts) {
            QTest::addRow("%g pt, %s", size, control)
                << size << QString::fromLatin1(control) << QString();
        }
        // A longer text typed into a box laid out for its first one.
        QTest::addRow("%g pt, Text_Moo, 1.0001 typed", size)
            << size << u"Text_Moo"_s << u"1.0001"_s;
        QTest::addRow("%g pt, Text_HbL, -0.015 typed", size)
            << size << u"Text_HbL"_s << u"-0.015"_s;
    }
}

// Whole, and at the largest quarter-point size that is whole.
void TextFitTest::mainWindowTextsShowWhole() {
    QFETCH(double, pointSize);
    QFETCH(QString, control);
    QFETCH(QString, typed);
    const DesktopFont desktop(pointSize);
    Form1 form;
    if (!typed.isEmpty()) {
        auto *box = form.findChild<QLineEdit *>(control);
        box->selectAll();
        QTest::keyClicks(box, typed);
        QCOMPARE(box->text(), typed);
    }
    const Shown shown = shownBy(form.findChild<QWidget *>(control), form.logicalDpiX());
    QVERIFY2(fitsIn(shown.font, shown.text, shown.room),
             qPrintable(u"'%1' at %2 pt needs %3 x %4 px, has %5 x %6"_s.arg(shown.text)
                            .arg(shown.font.pointSizeF())
                            .arg(QFontMetricsF(shown.font).horizontalAdvance(shown.text))
                            .arg(QFontMetrics(shown.font).height())
                            .arg(shown.room.width())
                            .arg(shown.room.height())));
    QVERIFY(shown.font.pointSizeF() <= pointSize);
    if (shown.font.pointSizeF() < pointSize) {
        QFont larger = shown.font;
        larger.setPointSizeF(shown.font.pointSizeF() + 0.25);
        QVERIFY(!fitsIn(larger, shown.text, shown.room));
    }
}

void TextFitTest::aboutLinesShowWhole_data() {
    QTest::addColumn<QString>("label");
    QTest::addColumn<double>("pointSize");
    QTest::newRow("title, first line") << u"Label2"_s << 9.75;
    QTest::newRow("title, second line") << u"Label3"_s << 9.75;
    QTest::newRow("title, third line") << u"Label1"_s << 9.75;
    QTest::newRow("credit line") << u"Label7"_s << 8.25;
    QTest::newRow("date") << u"Label8"_s << 8.25;
    QTest::newRow("comments line") << u"Label4"_s << 8.25;
    QTest::newRow("address") << u"Label5"_s << 8.25;
}

// The About window's lines have sizes of their own, which only the
// resolution and the face that stands in for Verdana change.
void TextFitTest::aboutLinesShowWhole() {
    QFETCH(QString, label);
    QFETCH(double, pointSize);
    Form_About about;
    const Shown shown = shownBy(about.findChild<QLabel *>(label), about.logicalDpiX());
    QVERIFY2(fitsIn(shown.font, shown.text, shown.room),
             qPrintable(u"'%1' at %2 pt needs %3 px, has %4"_s.arg(shown.text)
                            .arg(shown.font.pointSizeF())
                            .arg(QFontMetricsF(shown.font).horizontalAdvance(shown.text))
                            .arg(shown.room.width())));
    QVERIFY(shown.font.pointSizeF() <= pointSize);
    if (shown.font.pointSizeF() < pointSize) {
        QFont larger = shown.font;
        larger.setPointSizeF(shown.font.pointSizeF() + 0.25);
        QVERIFY(!fitsIn(larger, shown.text, shown.room));
    }
}

void TextFitTest::largeDesktopFontGrowsTheWindow_data() {
    QTest::addColumn<double>("pointSize");
    QTest::addColumn<QString>("control");
    for (const double size : {12.0, 16.0}) {
        for (const char *control : mainWindowTexts) {
            QTest::addRow("%g pt, %s", size, control) << size << QString::fromLatin1(control);
        }
    }
}

// A desktop font larger than the default 9 pt enlarges the whole layout by
// its ratio, as dialog units do: each control grows in proportion, and its
// text is at least as large as at the default font.
void TextFitTest::largeDesktopFontGrowsTheWindow() {
    QFETCH(double, pointSize);
    QFETCH(QString, control);
    const double smallest = fontSizeOf(control, 9);
    const DesktopFont desktop(pointSize);
    Form1 form;
    QWidget *widget = form.findChild<QWidget *>(control);
    // The window's 7380 twips across and the frame's 2295 down, at the
    // screen's resolution times the ratio.
    const double dotsPerInch = form.logicalDpiX() * pointSize / 9;
    QVERIFY(std::abs(form.width() - 7380 * dotsPerInch / 1440) <= 1);
    QVERIFY(std::abs(form.findChild<QWidget *>(u"Frame1"_s)->height() -
                     2295 * dotsPerInch / 1440) <= 1);
    QVERIFY2(widget->font().pointSizeF() >= smallest,
             qPrintable(u"%1 pt at %2 pt, %3 pt at 9 pt"_s.arg(widget->font().pointSizeF())
                            .arg(pointSize)
                            .arg(smallest)));
}

void TextFitTest::desktopFontKeptWhereItFits_data() {
    QTest::addColumn<QString>("control");
    QTest::newRow("Mach box") << u"Text_Moo"_s;
    QTest::newRow("height box") << u"Text_HbL"_s;
    QTest::newRow("button") << u"Command1"_s;
}

// At a small desktop font the controls keep the desktop's own font, and
// with it every later change of the desktop's font.
void TextFitTest::desktopFontKeptWhereItFits() {
    QFETCH(QString, control);
    const DesktopFont desktop(8);
    Form1 form;
    QWidget *widget = form.findChild<QWidget *>(control);
    QVERIFY(!widget->testAttribute(Qt::WA_SetFont));
    QCOMPARE(widget->font(), QApplication::font());
}

QTEST_MAIN(TextFitTest)
#include "tst_textfit.moc"
