// The Teori menu as its user meets it: after About, the second-order Cp over
// the pressure plot only while checked, with the plots otherwise exactly as
// they are without it, and one validity window that follows each
// recalculation. The verdicts are the references (2 / 0.01 good,
// 2 / 0.02 rough, 1.2 / 0.01 sonic) and their subsonic and refused kin.
#include "tests/support/windowrig.h"
#include "ui/formvalidity.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>

using namespace Qt::StringLiterals;
using namespace wavywall;
using Window = wavywall::testing::WindowRig;

class TheoryTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void menuFollowsAbout();
    void overlayAndVerdict_data();
    void overlayAndVerdict();
};

void TheoryTest::menuFollowsAbout() {
    Window w;
    const QList<QAction *> items = w.form.menuBar()->actions().back()->menu()->actions();
    QCOMPARE(items[0]->text(), u"İ&kinci mertebe Cp"_s);
    QVERIFY(items[0]->isCheckable() && !items[0]->isChecked());
    QCOMPARE(items[1]->text(), u"&Geçerlilik…"_s);
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

QTEST_MAIN(TheoryTest)
#include "tst_theory.moc"
