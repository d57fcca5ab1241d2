// The recalculation behind the button and the two scroll bars: what it reads,
// what it writes back, what it stores, and what it refuses.
#include "tests/support/fakes.h"
#include "tests/support/qtstrings.h"

#include <QTest>

#include <cmath>

using namespace Qt::StringLiterals;

using namespace wavywall;
using wavywall::testing::agrees12;
using wavywall::testing::ModelRig;

class FlowModelTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void loadSetsConstantsOnly();
    void buttonReadsBothBoxes_data();
    void buttonReadsBothBoxes();
    void machBarWritesItsValue_data();
    void machBarWritesItsValue();
    void heightBarReadsTypedMach();
    void eachRecalculationRedrawsBothPlotsOnce();
    void machOneDrawsFlowThenRefusesPressure();
    void refusedInputsClearAndKeepState_data();
    void refusedInputsClearAndKeepState();
    void hugeButFiniteInputsAreDrawn_data();
    void hugeButFiniteInputsAreDrawn();
};

void FlowModelTest::loadSetsConstantsOnly() {
    ModelRig rig;
    QCOMPARE(rig.model.state().Pi, 3.141592653589793);
    QCOMPARE(rig.model.state().TwoPi, 6.283185307179586);
    QCOMPARE(rig.model.state().N, 100);
    QCOMPARE(rig.model.state().L, 1);
    QVERIFY(!rig.model.hasFlow());
    QCOMPARE(rig.flowCanvas.operations().size(), 0u);
    QCOMPARE(rig.pressureCanvas.operations().size(), 0u);
}

void FlowModelTest::buttonReadsBothBoxes_data() {
    QTest::addColumn<QString>("moo");
    QTest::addColumn<QString>("hbl");
    QTest::addColumn<double>("Beta");
    QTest::addColumn<double>("H");
    QTest::newRow("default texts") << u"1.01"_s << u"0.01"_s << 0.141774468788 << 0.01;
    QTest::newRow("trailing letter") << u"1.5x"_s << u"0.1"_s << 1.11803398875 << 0.1;
    QTest::newRow("leading blank") << u" 2"_s << u"0.2"_s << 1.73205080757 << 0.2;
    QTest::newRow("negative Mach number") << u"-1.01"_s << u"0.01"_s << 0.141774468788 << 0.01;
    QTest::newRow("empty height") << u"1.5"_s << QString() << 1.11803398875 << 0.0;
    QTest::newRow("negative height") << u"2"_s << u"-0.05"_s << 1.73205080757 << -0.05;
}

void FlowModelTest::buttonReadsBothBoxes() {
    QFETCH(QString, moo);
    QFETCH(QString, hbl);
    QFETCH(double, Beta);
    QFETCH(double, H);
    ModelRig rig;
    rig.boxes.moo = testing::u16(moo);
    rig.boxes.hbl = testing::u16(hbl);
    rig.model.Command1_Click();
    QVERIFY2(agrees12(rig.model.state().Beta, Beta),
             qPrintable(QString::number(rig.model.state().Beta, 'g', 17)));
    QCOMPARE(rig.model.state().H, H);
    QCOMPARE(testing::qstr(rig.boxes.moo), moo);
    QCOMPARE(testing::qstr(rig.boxes.hbl), hbl);
    QVERIFY(rig.messages.shown.empty());
}

void FlowModelTest::machBarWritesItsValue_data() {
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("Beta");
    QTest::newRow("one step from the start")
        << 102 << u"1.02"_s << std::sqrt(std::pow(1.02, 2) - 1);
    QTest::newRow("middle") << 150 << u"1.5"_s << 1.11803398875;
    QTest::newRow("right end") << 200 << u"2"_s << 1.73205080757;
}

void FlowModelTest::machBarWritesItsValue() {
    QFETCH(int, position);
    QFETCH(QString, text);
    QFETCH(double, Beta);
    ModelRig rig;
    rig.boxes.hbl = u"0.1";
    rig.model.HScroll_Moo_Change(static_cast<std::int16_t>(position));
    QCOMPARE(testing::qstr(rig.boxes.moo), text);
    QVERIFY(agrees12(rig.model.state().Beta, Beta));
    QCOMPARE(rig.model.state().H, 0.1);
}

void FlowModelTest::heightBarReadsTypedMach() {
    ModelRig rig;
    rig.boxes.moo = u"1.5";
    rig.model.HScroll_HbL_Change(20);
    QCOMPARE(testing::qstr(rig.boxes.hbl), u"0.2"_s);
    QCOMPARE(rig.model.state().H, 0.2);
    QVERIFY(agrees12(rig.model.state().Beta, 1.11803398875));
    rig.model.HScroll_HbL_Change(1);
    QCOMPARE(testing::qstr(rig.boxes.hbl), u"0.01"_s);
    QCOMPARE(rig.model.state().H, 0.01);
}

void FlowModelTest::eachRecalculationRedrawsBothPlotsOnce() {
    ModelRig rig;
    rig.model.Command1_Click();
    rig.model.HScroll_Moo_Change(120);
    rig.model.HScroll_HbL_Change(5);
    QCOMPARE(rig.flowCanvas.clearCount(), 3);
    QCOMPARE(rig.pressureCanvas.clearCount(), 3);
    QCOMPARE(rig.flowCanvas.lines().size(), 911u);
    QCOMPARE(rig.pressureCanvas.lines().size(), 102u);
}

void FlowModelTest::machOneDrawsFlowThenRefusesPressure() {
    for (const QString &moo : {u"1"_s, u"1,01"_s, u"-1"_s}) {
        ModelRig rig;
        rig.boxes.moo = testing::u16(moo);
        rig.model.Command1_Click();
        QCOMPARE(rig.model.state().Beta, 0.0);
        QCOMPARE(rig.flowCanvas.lines().size(), 911u);
        QCOMPARE(rig.pressureCanvas.lines().size(), 2u);
        QCOMPARE(testing::qstrList(rig.messages.shown),
                 QStringList{u" Moo=1 için teori geçersiz"_s});
    }
}

void FlowModelTest::refusedInputsClearAndKeepState_data() {
    QTest::addColumn<QString>("moo");
    QTest::addColumn<QString>("hbl");
    QTest::addColumn<QString>("message");
    const QString readAsZero = u" Mach sayısı 0 olarak okundu"_s;
    const QString tooLarge = u" Girilen değer çok büyük"_s;
    QTest::newRow("empty Mach number") << QString() << u"0.01"_s << readAsZero;
    QTest::newRow("word for Mach number") << u"abc"_s << u"0.01"_s << readAsZero;
    QTest::newRow("decimal comma") << u"0,8"_s << u"0.01"_s << readAsZero;
    QTest::newRow("Mach number beyond a double") << u"1E999"_s << u"0.01"_s << tooLarge;
    QTest::newRow("negative beyond a double") << u"-1E999"_s << u"0.01"_s << tooLarge;
    QTest::newRow("height beyond a double") << u"2"_s << u"1E999"_s << tooLarge;
    QTest::newRow("400-digit height") << u"2"_s << QString(400, u'9') << tooLarge;
    QTest::newRow("square overflows") << u"1e200"_s << u"0.01"_s << tooLarge;
    QTest::newRow("pressure overflows") << u"1.0000000000000002"_s << u"1e308"_s << tooLarge;
    QTest::newRow("shift overflows") << u"1e150"_s << u"1e200"_s << tooLarge;
}

void FlowModelTest::refusedInputsClearAndKeepState() {
    QFETCH(QString, moo);
    QFETCH(QString, hbl);
    QFETCH(QString, message);
    ModelRig rig;
    rig.model.Command1_Click();
    const FlowState before = rig.model.state();
    rig.boxes.moo = testing::u16(moo);
    rig.boxes.hbl = testing::u16(hbl);
    rig.model.Command1_Click();
    QCOMPARE(testing::qstrList(rig.messages.shown), QStringList{message});
    QCOMPARE(rig.model.state().Beta, before.Beta);
    QCOMPARE(rig.model.state().H, before.H);
    QCOMPARE(rig.flowCanvas.clearCount(), 2);
    QCOMPARE(rig.pressureCanvas.clearCount(), 2);
    QCOMPARE(rig.flowCanvas.lines().size(), 0u);
    QCOMPARE(rig.pressureCanvas.lines().size(), 0u);
}

void FlowModelTest::hugeButFiniteInputsAreDrawn_data() {
    QTest::addColumn<QString>("moo");
    QTest::addColumn<QString>("hbl");
    QTest::newRow("Mach 1e30") << u"1e30"_s << u"0.01"_s;
    QTest::newRow("height 1e30") << u"2"_s << u"1e30"_s;
    QTest::newRow("both large") << u"1e100"_s << u"1e100"_s;
    QTest::newRow("tiny Beta") << u"1.0000000000000002"_s << u"0.2"_s;
}

void FlowModelTest::hugeButFiniteInputsAreDrawn() {
    QFETCH(QString, moo);
    QFETCH(QString, hbl);
    ModelRig rig;
    rig.boxes.moo = testing::u16(moo);
    rig.boxes.hbl = testing::u16(hbl);
    rig.model.Command1_Click();
    QVERIFY(rig.messages.shown.empty());
    QCOMPARE(rig.flowCanvas.lines().size(), 911u);
    QCOMPARE(rig.pressureCanvas.lines().size(), 102u);
    for (const auto *canvas : {&rig.flowCanvas, &rig.pressureCanvas}) {
        for (const RecordedLine &l : canvas->lines()) {
            QVERIFY(std::isfinite(l.x1) && std::isfinite(l.y1) && std::isfinite(l.x2) &&
                    std::isfinite(l.y2));
        }
    }
}

QTEST_GUILESS_MAIN(FlowModelTest)
#include "tst_flowmodel.moc"
