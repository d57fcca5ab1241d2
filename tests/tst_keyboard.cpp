// The main window from the keyboard alone: every form of an arrow key moves
// a focused bar one step the way it points, and the About command has its
// access key.
#include "tests/support/windowrig.h"
#include "ui/formabout.h"

#include <QAccessible>
#include <QApplication>
#include <QMenuBar>
#include <QTest>

using namespace Qt::StringLiterals;

using namespace wavywall;

namespace {

struct Window : wavywall::testing::WindowRig {
    Window() {
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
    }
};

} // namespace

class KeyboardTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void everyArrowFormStepsItsWay_data();
    void everyArrowFormStepsItsWay();
    void metaArrowsStayWithTheDesktop();
    void altAOpensAbout();
    void aboutCommandReadsAbout();
    void altAloneHighlightsAbout();
    void aboutClosesFromTheKeyboard_data();
    void aboutClosesFromTheKeyboard();
};

void KeyboardTest::everyArrowFormStepsItsWay_data() {
    QTest::addColumn<QString>("bar");
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("text");
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
        int mooPosition;
        const char16_t *mooText;
        int hblPosition;
        const char16_t *hblText;
    } keys[] = {
        {"Right", Qt::Key_Right, 151, u"1.51", 11, u"0.11"},
        {"Down", Qt::Key_Down, 151, u"1.51", 11, u"0.11"},
        {"Left", Qt::Key_Left, 149, u"1.49", 9, u"0.09"},
        {"Up", Qt::Key_Up, 149, u"1.49", 9, u"0.09"},
    };
    for (const auto &form : forms) {
        for (const auto &k : keys) {
            QTest::addRow("Mach bar, %s %s", form.name, k.name)
                << u"HScroll_Moo"_s << u"Text_Moo"_s << 150 << int(k.key) << form.modifiers
                << k.mooPosition << QString::fromUtf16(k.mooText);
            QTest::addRow("height bar, %s %s", form.name, k.name)
                << u"HScroll_HbL"_s << u"Text_HbL"_s << 10 << int(k.key) << form.modifiers
                << k.hblPosition << QString::fromUtf16(k.hblText);
        }
    }
}

void KeyboardTest::everyArrowFormStepsItsWay() {
    QFETCH(QString, bar);
    QFETCH(QString, box);
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
    QTest::keyClick(scrollBar, static_cast<Qt::Key>(key), modifiers);
    QCOMPARE(scrollBar->value(), position);
    QCOMPARE(w.box(box)->text(), text);
    QVERIFY(w.messages.isEmpty());
}

// Meta with an arrow belongs to the window manager; should it reach the bar,
// the bar neither moves nor turns the key around.
void KeyboardTest::metaArrowsStayWithTheDesktop() {
    Window w;
    QScrollBar *bar = w.bar(u"HScroll_Moo"_s);
    bar->setValue(150);
    bar->setFocus();
    for (const Qt::Key key : {Qt::Key_Right, Qt::Key_Left, Qt::Key_Up, Qt::Key_Down}) {
        QTest::keyClick(bar, key, Qt::MetaModifier);
        QCOMPARE(bar->value(), 150);
    }
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
    auto *command = w.find<QAction>(u"Nm_About"_s);
    QCOMPARE(QKeySequence::mnemonic(command->text()), QKeySequence(Qt::ALT | Qt::Key_A));
    QAccessibleInterface *bar = QAccessible::queryAccessibleInterface(w.form.menuBar());
    QVERIFY(bar);
    QCOMPARE(bar->childCount(), 1);
    QCOMPARE(bar->child(0)->text(QAccessible::Name), u"About"_s);
}

void KeyboardTest::altAloneHighlightsAbout() {
    Window w;
    QTest::keyPress(&w.form, Qt::Key_Alt, Qt::AltModifier);
    QTest::keyRelease(&w.form, Qt::Key_Alt);
    QCOMPARE(w.form.menuBar()->activeAction(), w.find<QAction>(u"Nm_About"_s));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QVERIFY(w.form.aboutWindow());
    w.form.aboutWindow()->close();
}

void KeyboardTest::aboutClosesFromTheKeyboard_data() {
    QTest::addColumn<QKeyCombination>("keys");
    QTest::newRow("Escape") << QKeyCombination(Qt::Key_Escape);
    QTest::newRow("Ctrl+W") << QKeyCombination(Qt::ControlModifier, Qt::Key_W);
}

void KeyboardTest::aboutClosesFromTheKeyboard() {
    QFETCH(QKeyCombination, keys);
    Window w;
    QTest::keyClick(&w.form, Qt::Key_A, Qt::AltModifier);
    Form_About *about = w.form.aboutWindow();
    QVERIFY(about && QTest::qWaitForWindowActive(about));
    QTest::keyClick(about, keys.key(), keys.keyboardModifiers());
    QTRY_VERIFY(!about->isVisible());
}

QTEST_MAIN(KeyboardTest)
#include "tst_keyboard.moc"
