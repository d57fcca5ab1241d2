// The main window from the keyboard alone: every form of an arrow key moves
// a focused bar one step the way it points, the bar leaves other keys to its
// window, and the About command has its access key.
#include "tests/support/windowrig.h"
#include "ui/barkeys.h"
#include "ui/formabout.h"
#include "ui/formvalidity.h"

#include <QAccessible>
#include <QMenuBar>

using namespace Qt::StringLiterals;

using namespace wavywall;

using Window = wavywall::testing::WindowRig;
using Slider = QAbstractSlider;

class KeyboardTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void eachKeyFormHasItsAction_data();
    void eachKeyFormHasItsAction();
    void keysMoveTheFocusedBar_data();
    void keysMoveTheFocusedBar();
    void altAOpensAbout();
    void aboutCommandReadsAbout();
    void altAloneHighlightsAbout();
    void smallWindowClosesFromTheKeyboard_data();
    void smallWindowClosesFromTheKeyboard();
};

void KeyboardTest::eachKeyFormHasItsAction_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<int>("action");
    const struct {
        const char *name;
        Qt::KeyboardModifiers modifiers;
    } forms[] = {
        {"plain", Qt::NoModifier},
        {"keypad", Qt::KeypadModifier},
        {"Shift", Qt::ShiftModifier},
        {"Ctrl", Qt::ControlModifier},
        {"Alt", Qt::AltModifier},
        {"Shift+Ctrl", Qt::ShiftModifier | Qt::ControlModifier},
        {"Shift+keypad", Qt::ShiftModifier | Qt::KeypadModifier},
    };
    const struct {
        const char *name;
        Qt::Key key;
        Slider::SliderAction action;
    } keys[] = {
        {"Right", Qt::Key_Right, Slider::SliderSingleStepAdd},
        {"Down", Qt::Key_Down, Slider::SliderSingleStepAdd},
        {"Left", Qt::Key_Left, Slider::SliderSingleStepSub},
        {"Up", Qt::Key_Up, Slider::SliderSingleStepSub},
        {"Page Down", Qt::Key_PageDown, Slider::SliderPageStepAdd},
        {"Page Up", Qt::Key_PageUp, Slider::SliderPageStepSub},
        {"End", Qt::Key_End, Slider::SliderToMaximum},
        {"Home", Qt::Key_Home, Slider::SliderToMinimum},
    };
    for (const auto &k : keys) {
        for (const auto &form : forms) {
            QTest::addRow("%s %s", form.name, k.name)
                << int(k.key) << form.modifiers << int(k.action);
        }
        // Meta with a key belongs to the window manager.
        QTest::addRow("Meta %s", k.name)
            << int(k.key) << Qt::KeyboardModifiers(Qt::MetaModifier) << int(Slider::SliderNoAction);
    }
    for (const auto &[name, key, modifiers] : {std::tuple{"Tab", Qt::Key_Tab, Qt::NoModifier},
                                               {"Shift+Tab", Qt::Key_Backtab, Qt::ShiftModifier},
                                               {"A", Qt::Key_A, Qt::NoModifier},
                                               {"Alt+A", Qt::Key_A, Qt::AltModifier},
                                               {"Return", Qt::Key_Return, Qt::NoModifier}}) {
        QTest::addRow("%s goes to the window", name)
            << int(key) << Qt::KeyboardModifiers(modifiers) << int(Slider::SliderNoAction);
    }
}

void KeyboardTest::eachKeyFormHasItsAction() {
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(int, action);
    QCOMPARE(int(barActionFor(key, modifiers).value_or(Slider::SliderNoAction)), action);
}

// Through real key events to a focused bar of the window: forms that Qt's
// own horizontal bar turns around, the ends, and keys it must not see.
void KeyboardTest::keysMoveTheFocusedBar_data() {
    QTest::addColumn<QString>("bar");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("text");
    const struct {
        const char *name;
        const char16_t *bar;
        int start;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int position;
        const char16_t *text;
    } rows[] = {
        {"Moo, Right", u"HScroll_Moo", 150, Qt::Key_Right, {}, 151, u"1.51"},
        {"Moo, keypad Left", u"HScroll_Moo", 150, Qt::Key_Left, Qt::KeypadModifier, 149, u"1.49"},
        {"Moo, Ctrl Down", u"HScroll_Moo", 150, Qt::Key_Down, Qt::ControlModifier, 151, u"1.51"},
        {"Moo, Alt Up", u"HScroll_Moo", 150, Qt::Key_Up, Qt::AltModifier, 149, u"1.49"},
        {"H/L, keypad Right", u"HScroll_HbL", 10, Qt::Key_Right, Qt::KeypadModifier, 11, u"0.11"},
        {"H/L, Shift Left", u"HScroll_HbL", 10, Qt::Key_Left, Qt::ShiftModifier, 9, u"0.09"},
        {"Moo, Page Down", u"HScroll_Moo", 101, Qt::Key_PageDown, {}, 102, u"1.02"},
        {"Moo, End", u"HScroll_Moo", 101, Qt::Key_End, {}, 200, u"2"},
        {"Moo, Left at the minimum", u"HScroll_Moo", 101, Qt::Key_Left, {}, 101, u"1.01"},
        {"Moo, Home at the minimum", u"HScroll_Moo", 101, Qt::Key_Home, {}, 101, u"1.01"},
        {"Moo, Meta Right", u"HScroll_Moo", 150, Qt::Key_Right, Qt::MetaModifier, 150, u"1.5"},
        {"Moo, Meta Left", u"HScroll_Moo", 150, Qt::Key_Left, Qt::MetaModifier, 150, u"1.5"},
        {"Moo, Meta Up", u"HScroll_Moo", 150, Qt::Key_Up, Qt::MetaModifier, 150, u"1.5"},
        {"Moo, Meta Down", u"HScroll_Moo", 150, Qt::Key_Down, Qt::MetaModifier, 150, u"1.5"},
    };
    for (const auto &r : rows) {
        QTest::newRow(r.name) << QString::fromUtf16(r.bar) << r.start << int(r.key) << r.modifiers
                              << r.position << QString::fromUtf16(r.text);
    }
}

// The bar moves, its box shows the new input and the plots are drawn once
// for each move; a bar that stays draws nothing.
void KeyboardTest::keysMoveTheFocusedBar() {
    QFETCH(QString, bar);
    QFETCH(int, start);
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(int, position);
    QFETCH(QString, text);
    Window w;
    QScrollBar *scrollBar = w.bar(bar);
    scrollBar->setValue(start);
    scrollBar->setFocus();
    QCOMPARE(QApplication::focusWidget(), scrollBar);
    const int before = w.redraws();
    QTest::keyClick(scrollBar, static_cast<Qt::Key>(key), modifiers);
    QCOMPARE(scrollBar->value(), position);
    QCOMPARE(w.box(bar == u"HScroll_Moo"_s ? u"Text_Moo"_s : u"Text_HbL"_s)->text(), text);
    QCOMPARE(w.redraws(), before + (position == start ? 0 : 1));
    QVERIFY(w.messages.isEmpty());
}

void KeyboardTest::altAOpensAbout() {
    Window w;
    QVERIFY(!w.form.aboutWindow());
    QTest::keyClick(&w.form, Qt::Key_A, Qt::AltModifier);
    QVERIFY(w.form.aboutWindow());
    QTRY_VERIFY(w.form.aboutWindow()->isVisible());
    w.form.aboutWindow()->close();
}

// The access key is marked the platform's way; the command itself still
// reads "About", on screen and to a screen reader.
void KeyboardTest::aboutCommandReadsAbout() {
    Window w;
    QCOMPARE(QKeySequence::mnemonic(w.aboutCommand()->text()), QKeySequence(Qt::ALT | Qt::Key_A));
    QAccessibleInterface *bar = QAccessible::queryAccessibleInterface(w.form.menuBar());
    QVERIFY(bar);
    QCOMPARE(bar->childCount(), 2);
    QCOMPARE(bar->child(0)->text(QAccessible::Name), u"About"_s);
    QCOMPARE(bar->child(1)->text(QAccessible::Name), u"Teori"_s);
}

void KeyboardTest::altAloneHighlightsAbout() {
    Window w;
    QTest::keyPress(&w.form, Qt::Key_Alt, Qt::AltModifier);
    QTest::keyRelease(&w.form, Qt::Key_Alt);
    QCOMPARE(w.form.menuBar()->activeAction(), w.aboutCommand());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QVERIFY(w.form.aboutWindow());
    w.form.aboutWindow()->close();
}

void KeyboardTest::smallWindowClosesFromTheKeyboard_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QKeyCombination>("keys");
    for (const QString &command : {u"Nm_About"_s, u"Nm_Geçerlilik"_s}) {
        for (const QKeyCombination keys :
             {QKeyCombination(Qt::Key_Escape), QKeyCombination(Qt::ControlModifier, Qt::Key_W)}) {
            QTest::addRow("%s %s", qPrintable(command), qPrintable(QKeySequence(keys).toString()))
                << command << keys;
        }
    }
}

void KeyboardTest::smallWindowClosesFromTheKeyboard() {
    QFETCH(QString, command);
    QFETCH(QKeyCombination, keys);
    Window w;
    w.find<QAction>(command)->trigger();
    QWidget *window = command == u"Nm_About"_s ? static_cast<QWidget *>(w.form.aboutWindow())
                                               : w.form.validityWindow();
    QVERIFY(window && QTest::qWaitForWindowActive(window));
    QTest::keyClick(window, keys.key(), keys.keyboardModifiers());
    QTRY_VERIFY(!window->isVisible());
}

QTEST_MAIN(KeyboardTest)
#include "tst_keyboard.moc"
