// The windows as a screen reader meets them, through Qt's accessibility
// interfaces: what each control is, what it is called, what the bars say
// their value is, what the plots say is drawn, and the About window's text.
#include "tests/support/windowrig.h"
#include "ui/formabout.h"

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QLabel>
#include <QTest>

using namespace Qt::StringLiterals;

using namespace wavywall;

namespace {

QAccessibleInterface *accessibleOf(QObject *object) {
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(object);
    if (!iface) {
        qFatal("no accessible interface for %s", qPrintable(object->objectName()));
    }
    return iface;
}
} // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void controlsHaveRolesAndNames_data();
    void controlsHaveRolesAndNames();
    void barsSpeakTheirInputValue_data();
    void barsSpeakTheirInputValue();
    void readerSetsABarByItsInputValue();
    void plotsDescribeWhatIsDrawn_data();
    void plotsDescribeWhatIsDrawn();
    void plotsAreDescribedBeforeTheirMessage_data();
    void plotsAreDescribedBeforeTheirMessage();
    void readerArrivingLaterHearsThePlotsAsTheyStand();
    void aboutWindowIsADialogWithItsLines();
};

void AccessibilityTest::controlsHaveRolesAndNames_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("role");
    QTest::addColumn<QString>("name");

    QTest::newRow("flow plot is an image")
        << u"Picture_Akım"_s << int(QAccessible::Graphic) << u"Akım çizgileri"_s;
    QTest::newRow("pressure plot is an image")
        << u"Picture_basınç"_s << int(QAccessible::Graphic)
        << u"Duvar üzerinde basınç katsayılarının dağılımı"_s;
    QTest::newRow("Mach-number bar")
        << u"HScroll_Moo"_s << int(QAccessible::ScrollBar) << u"Moo kaydırma çubuğu"_s;
    QTest::newRow("height-ratio bar")
        << u"HScroll_HbL"_s << int(QAccessible::ScrollBar) << u"H/L kaydırma çubuğu"_s;
    QTest::newRow("Mach-number box") << u"Text_Moo"_s << int(QAccessible::EditableText) << u"Moo"_s;
    QTest::newRow("calculate button") << u"Command1"_s << int(QAccessible::Button) << u"HESAPLA"_s;
}

void AccessibilityTest::controlsHaveRolesAndNames() {
    QFETCH(QString, control);
    QFETCH(int, role);
    QFETCH(QString, name);
    testing::WindowRig rig;
    QAccessibleInterface *iface = accessibleOf(rig.find<QWidget>(control));
    QCOMPARE(int(iface->role()), role);
    QCOMPARE(iface->text(QAccessible::Name), name);
}

void AccessibilityTest::barsSpeakTheirInputValue_data() {
    QTest::addColumn<QString>("bar");
    QTest::addColumn<int>("steps");
    QTest::addColumn<QString>("spoken");
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("minimum");
    QTest::addColumn<double>("maximum");

    QTest::newRow("Moo at start") << u"HScroll_Moo"_s << 0 << u"1.01"_s << 1.01 << 1.01 << 2.0;
    QTest::newRow("Moo one step right")
        << u"HScroll_Moo"_s << 1 << u"1.02"_s << 1.02 << 1.01 << 2.0;
    QTest::newRow("Moo at its end") << u"HScroll_Moo"_s << 99 << u"2"_s << 2.0 << 1.01 << 2.0;
    QTest::newRow("H/L at start") << u"HScroll_HbL"_s << 0 << u"0.01"_s << 0.01 << 0.01 << 0.2;
    QTest::newRow("H/L nine steps right")
        << u"HScroll_HbL"_s << 9 << u"0.1"_s << 0.1 << 0.01 << 0.2;
}

// The value a reader speaks is the input the bar gives, as its text box
// shows it, before and after the bar moves.
void AccessibilityTest::barsSpeakTheirInputValue() {
    QFETCH(QString, bar);
    QFETCH(int, steps);
    QFETCH(QString, spoken);
    QFETCH(double, value);
    QFETCH(double, minimum);
    QFETCH(double, maximum);
    testing::WindowRig rig;
    QScrollBar *scrollBar = rig.bar(bar);
    for (int i = 0; i < steps; ++i) {
        scrollBar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    }
    QAccessibleInterface *iface = accessibleOf(scrollBar);
    QCOMPARE(iface->text(QAccessible::Value), spoken);
    QAccessibleValueInterface *values = iface->valueInterface();
    QVERIFY(values);
    QCOMPARE(values->currentValue().toDouble(), value);
    QCOMPARE(values->minimumValue().toDouble(), minimum);
    QCOMPARE(values->maximumValue().toDouble(), maximum);
    QCOMPARE(values->minimumStepSize().toDouble(), 0.01);
}

// A reader may also set the value; it moves the bar, which recalculates as
// any other move does.
void AccessibilityTest::readerSetsABarByItsInputValue() {
    testing::WindowRig rig;
    QAccessibleValueInterface *values = accessibleOf(rig.bar(u"HScroll_Moo"_s))->valueInterface();
    values->setCurrentValue(1.5);
    QCOMPARE(rig.bar(u"HScroll_Moo"_s)->value(), 150);
    QCOMPARE(rig.box(u"Text_Moo"_s)->text(), u"1.5"_s);
    QVERIFY(!rig.flow().empty());
}

namespace {

enum class Action {
    None,
    Calculate,
    StepMooBar,
    TypeMachOneAndCalculate,
    TypeReadAsZeroAndCalculate
};

void perform(testing::WindowRig &rig, Action action) {
    switch (action) {
    case Action::None:
        break;
    case Action::Calculate:
        rig.calculate();
        break;
    case Action::StepMooBar:
        rig.bar(u"HScroll_Moo"_s)->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        break;
    case Action::TypeMachOneAndCalculate:
        rig.box(u"Text_Moo"_s)->setText(u"1"_s);
        rig.calculate();
        break;
    case Action::TypeReadAsZeroAndCalculate:
        rig.box(u"Text_Moo"_s)->setText(u"0,8"_s);
        rig.calculate();
        break;
    }
}

const QString flowPicture =
    u" Kırmızı duvar, 9 yeşil Mach çizgisi ve 8 mavi akım çizgisi. Mach açısı %1 derece. Her "
    u"akım çizgisi duvarın biçimini Mach çizgileri boyunca akış yönünde kaymış olarak tekrarlar; "
    u"en üstteki %2 dalga boyu kaymıştır. Akım çizgilerinin hepsi çizimin içinde kalır."_s;

// The verdict on linear theory that ends each description of a drawn plot:
// the steepest wall angle against the Prandtl-Meyer angle, in degrees.
QString sonic(const QString &thetaMax, const QString &nu) {
    return u" Doğrusal teori geçersiz: en dik duvar açısı θmax = "_s + thetaMax + u"° ≥ ν = "_s +
           nu + u"°, yükselen yüzde akım ses hızına yavaşlar."_s;
}

} // namespace

void AccessibilityTest::plotsDescribeWhatIsDrawn_data() {
    QTest::addColumn<Action>("action");
    QTest::addColumn<QString>("flow");
    QTest::addColumn<QString>("pressure");

    const QString empty = u"Çizim boş: henüz hesap yapılmadı."_s;
    QTest::newRow("empty at start") << Action::None << empty << empty;
    QTest::newRow("HESAPLA with the starting texts")
        << Action::Calculate
        << u"Moo = 1.01, H/L = 0.01, Beta = 0.1418."_s + flowPicture.arg(u"81.93", u"0.2127") +
               sonic(u"3.595"_s, u"0.04472"_s)
        << u"Moo = 1.01, H/L = 0.01, Beta = 0.1418. En büyük Cp = 0.8846 (x = 0.74, 0.76, 1.74, "
           u"1.76), en küçük Cp = -0.8846 (x = 0.24, 0.26, 1.24, 1.26). Cp işaret değiştirir: "
           u"x = 0.5, 1, 1.5. Cp ≥ 0 kırmızı, Cp < 0 mavi."_s +
               sonic(u"3.595"_s, u"0.04472"_s);
    QTest::newRow("one step of the Mach-number bar")
        << Action::StepMooBar
        << u"Moo = 1.02, H/L = 0.01, Beta = 0.201."_s + flowPicture.arg(u"78.64", u"0.3015") +
               sonic(u"3.595"_s, u"0.1257"_s)
        << u"Moo = 1.02, H/L = 0.01, Beta = 0.201. En büyük Cp = 0.624 (x = 0.74, 0.76, 1.74, "
           u"1.76), en küçük Cp = -0.624 (x = 0.24, 0.26, 1.24, 1.26). Cp işaret değiştirir: "
           u"x = 0.5, 1, 1.5. Cp ≥ 0 kırmızı, Cp < 0 mavi."_s +
               sonic(u"3.595"_s, u"0.1257"_s);
    QTest::newRow("Mach one: flow drawn, no pressure curve")
        << Action::TypeMachOneAndCalculate
        << u"Moo = 1, H/L = 0.01, Beta = 0. Kırmızı duvar, 9 yeşil Mach çizgisi ve 8 mavi akım "
           u"çizgisi. Mach açısı 90 derece: Mach çizgileri dikeydir. Her akım çizgisi duvarın "
           u"biçimini kaymadan, duvarın tam üzerinde tekrarlar. Akım çizgilerinin hepsi çizimin "
           u"içinde kalır."_s +
               u" Doğrusal teori geçersiz: Moo = 1 için β = 0, doğrusal Cp = 2θ/β sonlu değil."_s
        << u"Moo = 1, H/L = 0.01, Beta = 0. Eğri yok: Moo=1 için teori geçersiz."_s +
               u" Doğrusal teori geçersiz: Moo = 1 için β = 0, doğrusal Cp = 2θ/β sonlu değil."_s;
    const QString readAsZero = u"Çizim yok: Mach sayısı 0 olarak okundu. Moo = 0, H/L = 0.01."_s;
    QTest::newRow("Mach number read as 0: nothing drawn")
        << Action::TypeReadAsZeroAndCalculate << readAsZero << readAsZero;
}

// The plots are images whose description says what the last recalculation
// drew, the message included when a plot has no curve.
void AccessibilityTest::plotsDescribeWhatIsDrawn() {
    QFETCH(Action, action);
    QFETCH(QString, flow);
    QFETCH(QString, pressure);
    testing::WindowRig rig;
    // A screen reader starts listening, as the desktop's accessibility bus
    // reports it; without one the program puts nothing into words.
    QAccessible::setActive(true);
    perform(rig, action);
    QCOMPARE(accessibleOf(rig.flowBox())->text(QAccessible::Description), flow);
    QCOMPARE(accessibleOf(rig.pressureBox())->text(QAccessible::Description), pressure);
}

void AccessibilityTest::plotsAreDescribedBeforeTheirMessage_data() {
    QTest::addColumn<Action>("action");
    QTest::addColumn<QString>("heard");
    QTest::newRow("Mach one") << Action::TypeMachOneAndCalculate << u"Moo = 1, H/L = 0.01"_s;
    QTest::newRow("Mach number read as 0")
        << Action::TypeReadAsZeroAndCalculate << u"Çizim yok: Mach sayısı 0"_s;
}

// While a message box is up, the plots already say what the recalculation
// that opened it drew, not what the one before drew.
void AccessibilityTest::plotsAreDescribedBeforeTheirMessage() {
    QFETCH(Action, action);
    QFETCH(QString, heard);
    testing::WindowRig rig;
    QAccessible::setActive(true);
    rig.calculate();
    QString heardWithMessage;
    rig.messenger.setFunction([&](const QString &) {
        heardWithMessage = accessibleOf(rig.flowBox())->text(QAccessible::Description);
    });
    perform(rig, action);
    QVERIFY2(heardWithMessage.startsWith(heard), qPrintable(heardWithMessage));
}

void AccessibilityTest::readerArrivingLaterHearsThePlotsAsTheyStand() {
    QAccessible::setActive(false);
    testing::WindowRig rig;
    rig.calculate();
    const QString unheard = accessibleOf(rig.pressureBox())->text(QAccessible::Description);
    QAccessible::setActive(true);
    const QString heard = accessibleOf(rig.pressureBox())->text(QAccessible::Description);
    QVERIFY(unheard.isEmpty());
    QVERIFY(heard.startsWith(u"Moo = 1.01, H/L = 0.01, Beta = 0.1418. En büyük Cp = 0.8846"_s));
}

void AccessibilityTest::aboutWindowIsADialogWithItsLines() {
    Form_About about;
    about.show();
    QAccessibleInterface *iface = accessibleOf(&about);
    QCOMPARE(iface->role(), QAccessible::Dialog);
    QCOMPARE(iface->text(QAccessible::Name), u"About"_s);
    QCOMPARE(iface->text(QAccessible::Description),
             u"Program for Calculating\nLinearized supersonic\npotential flows\n"
             u"by the wavywall developers\nApril 2006\nFor comments and questions e-mail to\n"
             u"wavywall@example.org"_s);
    // Each line is also a piece of static text of its own.
    QCOMPARE(iface->childCount(), 7);
    for (int i = 0; i < iface->childCount(); ++i) {
        QCOMPARE(iface->child(i)->role(), QAccessible::StaticText);
        QVERIFY(!iface->child(i)->text(QAccessible::Name).isEmpty());
    }
}

QTEST_MAIN(AccessibilityTest)
#include "tst_accessibility.moc"
