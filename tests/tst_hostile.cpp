// Hostile text typed or pasted into the main window's boxes, then the button:
// each text gives the value its leading number spells, or one of the
// program's messages over cleared plots; it never crashes, hangs or leaves a
// stray line. A drawn picture must equal the one drawn from a plain spelling
// of the same value, line for line.
#include "tests/support/windowrig.h"

#include <QApplication>
#include <QClipboard>
#include <QHash>

#include <algorithm>
#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;

using namespace wavywall;

namespace {

enum class Outcome { Drawn, MachOne, Subsonic, TooLarge };

// The messages' exact texts are pinned by the flow model's tests; here they
// only tell the outcomes apart.
const QString machOneMessage = wavywall::testing::qstr(wavywall::messages::machOne);
const QString subsonicMessage = wavywall::testing::qstr(wavywall::messages::subsonic);
const QString tooLargeMessage = wavywall::testing::qstr(wavywall::messages::tooLarge);

using Window = wavywall::testing::WindowRig;
using wavywall::testing::PlotLines;
using wavywall::testing::sameLines;

// Keys for each character as a keyboard or an input method delivers them:
// ASCII through its own keys, any other character as the text of a key event.
void type(QLineEdit *box, const QString &text) {
    for (const char32_t c : text.toUcs4()) {
        if (c < 0x80) {
            QTest::keyClick(box, static_cast<char>(c));
        } else {
            QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString::fromUcs4(&c, 1),
                                Qt::NoModifier);
        }
    }
}

// Printable texts are typed key by key; the rest (control characters, NUL,
// a megabyte) reach the box as a user would get them there: by pasting.
void enter(QLineEdit *box, const QString &text) {
    box->setFocus();
    box->selectAll();
    const QList<uint> characters = text.toUcs4();
    const bool typeable =
        text.size() <= 64 &&
        std::all_of(characters.begin(), characters.end(), [](uint c) { return QChar::isPrint(c); });
    if (typeable) {
        type(box, text);
        QCOMPARE(box->text(), text);
    } else {
        QGuiApplication::clipboard()->setText(text);
        box->paste();
        // Whatever the box keeps, up to its length limit, is what is read.
        QCOMPARE(box->text(), text.left(box->maxLength()));
    }
}

bool insidePlot(const PlotLines &lines) {
    const auto inside = [](UnitPoint p) { return p.u >= 0 && p.u <= 1 && p.v >= 0 && p.v <= 1; };
    return std::all_of(lines.begin(), lines.end(),
                       [&](const auto &l) { return inside(l.line.from) && inside(l.line.to); });
}

QString plainSpelling(double value) {
    return QString::number(value, 'g', 17);
}

} // namespace

Q_DECLARE_METATYPE(Outcome)

class HostileInputTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void hostileText_data();
    void hostileText();
};

void HostileInputTest::hostileText_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    // What the flow state then holds: Beta from the Mach box, H from the other.
    QTest::addColumn<double>("held");
    QTest::addColumn<Outcome>("outcome");

    // Each text once in each box; the other box keeps a plain value.
    struct Case {
        const char *name;
        QString text;
        double value;
        Outcome asMach;
        Outcome asHeight;
    };
    const double beyond = std::numeric_limits<double>::quiet_NaN();
    const QString megabyteOfNines(1 << 20, u'9');
    const QString megabyteAfterNumber = u"1.5"_s + QString(1 << 20, u'x');
    using enum Outcome;
    const Case cases[] = {
        {"1E999", u"1E999"_s, beyond, TooLarge, TooLarge},
        {"-1E999", u"-1E999"_s, beyond, TooLarge, TooLarge},
        // Moo squared overflows; Beta times H passes the plots' range.
        {"1e308", u"1e308"_s, 1e308, TooLarge, TooLarge},
        {"1e-400 reads as zero", u"1e-400"_s, 0, Subsonic, Drawn},
        {"hexadecimal of 72 bits", u"&HFFFFFFFFFFFFFFFFFF"_s, std::ldexp(1.0, 72), Drawn, Drawn},
        {"&H without digits", u"&H"_s, 0, Subsonic, Drawn},
        {"&O with a non-octal digit", u"&O9"_s, 0, Subsonic, Drawn},
        {"&H with a sign", u"&H-1"_s, 0, Subsonic, Drawn},
        {"nan", u"nan"_s, 0, Subsonic, Drawn},
        {"inf", u"inf"_s, 0, Subsonic, Drawn},
        {"Infinity", u"Infinity"_s, 0, Subsonic, Drawn},
        {"a megabyte of nines", megabyteOfNines, beyond, TooLarge, TooLarge},
        {"a number, then a megabyte of letters", megabyteAfterNumber, 1.5, Drawn, Drawn},
        {"embedded NUL", QString::fromUtf16(u"2\0003", 3), 2, Drawn, Drawn},
        {"control characters", u"\u0001\u001b2"_s, 0, Subsonic, Drawn},
        {"escape after the number", u"2\u001b[31m"_s, 2, Drawn, Drawn},
        {"Arabic-Indic digits", u"\u0661\u066B\u0665"_s, 0, Subsonic, Drawn},
        {"right-to-left mark first", u"\u200F1.5"_s, 0, Subsonic, Drawn},
        {"Hebrew after the number", u"1.5 \u05DE\u05B8\u05DA"_s, 1.5, Drawn, Drawn},
        {"emoji first", u"\U0001F680 2"_s, 0, Subsonic, Drawn},
        {"emoji after the number", u"2\U0001F680"_s, 2, Drawn, Drawn},
        {"line feeds and tabs inside", u"\t1\n.\n5\n"_s, 1.5, Drawn, Drawn},
        {"carriage return stops", u"1\r\n5"_s, 1, MachOne, Drawn},
        {"comma", u"1,5"_s, 1, MachOne, Drawn},
        {"blanks everywhere", u" - 1 . 5 e 2"_s, -150, Drawn, Drawn},
        {"two minus signs", u"--1"_s, 0, Subsonic, Drawn},
        {"exponent mark alone", u"1e"_s, 1, MachOne, Drawn},
        {"exponent sign alone", u"1e+"_s, 1, MachOne, Drawn},
        {"lone point", u"."_s, 0, Subsonic, Drawn},
        {"lone minus", u"-"_s, 0, Subsonic, Drawn},
        {"plus, point, five", u"+.5"_s, 0.5, Subsonic, Drawn},
    };
    // Beta = sqrt(Moo^2 - 1) of the Mach numbers drawn: 0, sqrt(5)/2, sqrt(3),
    // sqrt(22499), and 2^72 itself, beside which 1 is lost in 2^144.
    const QHash<double, double> betaOf = {{1, 0},
                                          {1.5, 1.118033988749895},
                                          {2, 1.7320508075688772},
                                          {-150, 149.9966666296288},
                                          {std::ldexp(1.0, 72), 4.722366482869645e21}};
    for (const Case &c : cases) {
        QTest::addRow("Mach box: %s", c.name)
            << u"Text_Moo"_s << c.text << c.value << betaOf.value(c.value, beyond) << c.asMach;
        QTest::addRow("height box: %s", c.name)
            << u"Text_HbL"_s << c.text << c.value << c.value << c.asHeight;
    }
}

void HostileInputTest::hostileText() {
    QFETCH(QString, box);
    QFETCH(QString, text);
    QFETCH(double, value);
    QFETCH(double, held);
    QFETCH(Outcome, outcome);
    const bool machBox = box == u"Text_Moo"_s;
    const QString other = machBox ? u"Text_HbL"_s : u"Text_Moo"_s;
    const QString otherText = machBox ? u"0.05"_s : u"1.5"_s;

    Window w;
    w.box(other)->setText(otherText);
    enter(w.box(box), text);
    w.calculate();

    switch (outcome) {
    case Outcome::TooLarge:
    case Outcome::Subsonic:
        QCOMPARE(w.messages,
                 QStringList{outcome == Outcome::TooLarge ? tooLargeMessage : subsonicMessage});
        QVERIFY(w.flow().empty());
        QVERIFY(w.pressure().empty());
        QVERIFY(!w.form.model().hasFlow());
        return;
    case Outcome::MachOne:
        QCOMPARE(w.messages, QStringList{machOneMessage});
        QCOMPARE(w.pressure().size(), 2u);
        break;
    case Outcome::Drawn:
        QVERIFY2(w.messages.isEmpty(), qPrintable(w.messages.join(u'|')));
        break;
    }
    const FlowState &state = w.form.model().state();
    QCOMPARE(machBox ? state.Beta : state.H, held);
    QVERIFY(insidePlot(w.flow()));
    QVERIFY(insidePlot(w.pressure()));

    Window plain;
    plain.box(other)->setText(otherText);
    plain.box(box)->setText(plainSpelling(value));
    plain.calculate();
    QCOMPARE(plain.messages, w.messages);
    QVERIFY(sameLines(w.flow(), plain.flow()));
    QVERIFY(sameLines(w.pressure(), plain.pressure()));
}

QTEST_MAIN(HostileInputTest)
#include "tst_hostile.moc"
