// Where the keyboard focus is, seen on screen: each of the seven tab stops
// shows it clearly in light and dark themes, and a focused plot keeps the
// exact colours of its drawing.
#include "tests/support/themes.h"
#include "tests/support/windowrig.h"
#include "ui/contrast.h"
#include "ui/focusring.h"

#include <QAccessible>

using namespace Qt::StringLiterals;

using namespace wavywall;
using wavywall::testing::Theme;
using wavywall::testing::ThemeScope;

namespace {

using Window = wavywall::testing::WindowRig;
using wavywall::testing::tabOrder;

// Pixels that change between two pictures of one control by at least the
// contrast that graphics need to be told apart (3:1).
int clearlyChanged(const QImage &before, const QImage &after) {
    int changed = 0;
    for (int y = 0; y < before.height(); ++y) {
        for (int x = 0; x < before.width(); ++x) {
            changed += contrastRatio(before.pixel(x, y), after.pixel(x, y)) >= 3.0 ? 1 : 0;
        }
    }
    return changed;
}

void addThemeRows(const QStringList &controls) {
    QTest::addColumn<Theme>("theme");
    QTest::addColumn<QString>("control");
    for (const auto &[name, theme] : testing::themes) {
        for (const QString &control : controls) {
            QTest::addRow("%s, %s", name, qPrintable(control)) << theme << control;
        }
    }
}

} // namespace

class FocusTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void everyTabStopShowsFocus_data();
    void everyTabStopShowsFocus();
    void focusedPlotKeepsItsColours_data();
    void focusedPlotKeepsItsColours();
    void ringIsNoPartOfWhatScreenReadersRead();
};

void FocusTest::everyTabStopShowsFocus_data() {
    addThemeRows(tabOrder);
}

// Focus shows as a mark at least as large as a line around the control,
// each of its pixels standing out 3:1 from what was there before.
void FocusTest::everyTabStopShowsFocus() {
    QFETCH(Theme, theme);
    QFETCH(QString, control);
    const ThemeScope dressed(theme);
    Window w;
    auto *stop = w.find<QWidget>(control);
    w.find<QWidget>(control == tabOrder[0] ? tabOrder[1] : tabOrder[0])->setFocus();
    const QImage unfocused = w.shown(*stop);
    w.tabTo(control);
    const QImage focused = w.shown(*stop);
    const int perimeter = 2 * (stop->width() + stop->height()) - 4;
    const int changed = clearlyChanged(unfocused, focused);
    QVERIFY2(changed >= perimeter,
             qPrintable(u"%1 pixels clearly changed, %2 needed"_s.arg(changed).arg(perimeter)));
}

void FocusTest::focusedPlotKeepsItsColours_data() {
    addThemeRows({u"Picture_Akım"_s, u"Picture_basınç"_s});
}

// Reached by Tab, or clicked once the keyboard has moved the focus, a plot
// box shows its drawing area exactly as without the focus.
void FocusTest::focusedPlotKeepsItsColours() {
    QFETCH(Theme, theme);
    QFETCH(QString, control);
    const ThemeScope dressed(theme);
    Window w;
    w.moo()->setText(u"1.5"_s);
    w.hbl()->setText(u"0.1"_s);
    w.calculate();
    PictureBox *box = w.picture(control);
    const QRect inner = box->contentsRect();
    w.button()->setFocus();
    const QImage unfocused = w.shown(*box).copy(inner);
    w.tabTo(control);
    QCOMPARE(w.shown(*box).copy(inner), unfocused);
    w.button()->setFocus();
    QTest::mouseClick(box, Qt::LeftButton, {}, inner.center());
    QCOMPARE(QApplication::focusWidget(), box);
    QCOMPARE(w.shown(*box).copy(inner), unfocused);
}

// What a screen reader finds in a focused control is the control's own.
void FocusTest::ringIsNoPartOfWhatScreenReadersRead() {
    Window w;
    for (const QString &name : tabOrder) {
        auto *stop = w.find<QWidget>(name);
        QVERIFY(stop->findChild<FocusRing *>());
        w.find<QWidget>(name == tabOrder[0] ? tabOrder[1] : tabOrder[0])->setFocus();
        w.tabTo(name);
        QAccessibleInterface *control = QAccessible::queryAccessibleInterface(stop);
        for (int i = 0; i < control->childCount(); ++i) {
            QVERIFY(!qobject_cast<FocusRing *>(control->child(i)->object()));
        }
    }
}

QTEST_MAIN(FocusTest)
#include "tst_focus.moc"
