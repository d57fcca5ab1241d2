// A long run of the main window: a hundred thousand recalculations taking
// turns through every input path (the button, both bars, Mach one, subsonic
// and too large inputs). Memory must stay flat once warmed up, every message
// must come exactly when due, and the last picture must be the one a freshly
// opened window draws from the same texts.
#include "tests/support/windowrig.h"

#include <QHash>

#include <unistd.h>

#include <fstream>

using namespace Qt::StringLiterals;

using namespace wavywall;

namespace {

// Sanitized builds run slower and keep freed memory in quarantine, so they
// take a shorter run and leave the memory bound to the leak checker.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool sanitized = true;
#else
constexpr bool sanitized = false;
#endif

constexpr int steps = 6;
constexpr int warmUpCycles = 1000;
// Tight enough to catch a dozen bytes kept per recalculation, which add up
// to a megabyte over a full run.
constexpr long allowedGrowth = 256L << 10;

int cycles() {
    bool ok = false;
    const int wanted = qEnvironmentVariableIntValue("WAVYWALL_SOAK_CYCLES", &ok);
    return ok && wanted > warmUpCycles ? wanted : (sanitized ? 1667 : 16667);
}

long residentBytes() {
    std::ifstream statm("/proc/self/statm");
    long size = 0;
    long resident = 0;
    statm >> size >> resident;
    return resident * sysconf(_SC_PAGESIZE);
}

// Counts the messages by text; a growing log would itself be the leak.
struct Window : wavywall::testing::WindowRig {
    QHash<QString, int> counted;

    Window() {
        messenger.setFunction([this](const QString &text) { ++counted[text]; });
    }
    void calculate() { button()->click(); }
};

// One recalculation of the rotation; every sixth goes the same way, with
// inputs that move on from cycle to cycle.
void step(Window &w, int i) {
    const int cycle = i / steps;
    switch (i % steps) {
    case 0:
        w.moo()->setText(QString::number(1.05 + cycle % 90 / 100.0));
        w.hbl()->setText(QString::number(0.01 + cycle % 19 / 100.0));
        w.calculate();
        break;
    case 1:
        w.find<QScrollBar>(u"HScroll_Moo"_s)->setValue(101 + cycle % 100);
        break;
    case 2:
        w.find<QScrollBar>(u"HScroll_HbL"_s)->setValue(1 + cycle % 20);
        break;
    case 3:
        w.moo()->setText(u"1"_s);
        w.calculate();
        break;
    case 4:
        w.moo()->setText(u"0,8"_s);
        w.calculate();
        break;
    case 5:
        w.moo()->setText(u"1E999"_s);
        w.calculate();
        break;
    }
}

} // namespace

class SoakTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void longRunStaysFlatAndExact();
};

void SoakTest::longRunStaysFlatAndExact() {
    Window w;
    const int total = cycles() * steps;
    long warm = 0;
    for (int i = 0; i < total; ++i) {
        step(w, i);
        if (i % 100 == 99) {
            QApplication::processEvents(); // paint, as a running program would
        }
        if (i == warmUpCycles * steps - 1) {
            warm = residentBytes();
        }
    }
    const long grown = residentBytes() - warm;
    qInfo("resident memory after warm-up grew by %ld bytes", grown);
    if (!sanitized) {
        QVERIFY2(grown <= allowedGrowth, qPrintable(QStringLiteral("grew by %1 bytes").arg(grown)));
    }

    const int each = total / steps;
    QCOMPARE(w.counted.size(), 3);
    QCOMPARE(w.counted.value(testing::qstr(messages::machOne)), each);
    QCOMPARE(w.counted.value(testing::qstr(messages::machZero)), each);
    QCOMPARE(w.counted.value(testing::qstr(messages::tooLarge)), each);

    // The rotation ends on too large a Mach number; a bar's value and then
    // the button give the last picture, in the soaked and in a fresh window.
    w.find<QScrollBar>(u"HScroll_Moo"_s)->setValue(137);
    w.calculate();
    Window fresh;
    fresh.moo()->setText(w.moo()->text());
    fresh.hbl()->setText(w.hbl()->text());
    fresh.calculate();
    QCOMPARE(fresh.moo()->text(), u"1.37"_s);
    QVERIFY(!w.flow().empty() && !w.pressure().empty());
    QVERIFY(wavywall::testing::sameLines(w.flow(), fresh.flow()));
    QVERIFY(wavywall::testing::sameLines(w.pressure(), fresh.pressure()));
    // Whichever window holds the focus would draw its focus frame.
    w.flowBox()->clearFocus();
    fresh.flowBox()->clearFocus();
    QCOMPARE(w.flowBox()->grab().toImage(), fresh.flowBox()->grab().toImage());
    QCOMPARE(w.pressureBox()->grab().toImage(), fresh.pressureBox()->grab().toImage());
}

QTEST_MAIN(SoakTest)
#include "tst_soak.moc"
