// The main window as its user meets it: what it shows at start, how the
// bars, the text boxes, the button and the keyboard drive the plots, and the
// About window beside it. The bar keys' own rows are in tst_keyboard.
#include "tests/support/windowrig.h"
#include "ui/formabout.h"
#include "ui/layouttable.h"

#include <QDialog>
#include <QLabel>
#include <QMenuBar>
#include <QStyleOptionSlider>

#include <cmath>

using namespace Qt::StringLiterals;

using namespace wavywall;

namespace {

using Window = wavywall::testing::WindowRig;

QRect sliderRect(QScrollBar *bar) {
    QStyleOptionSlider option;
    option.initFrom(bar);
    option.orientation = bar->orientation();
    option.minimum = bar->minimum();
    option.maximum = bar->maximum();
    option.sliderPosition = bar->sliderPosition();
    option.sliderValue = bar->value();
    option.singleStep = bar->singleStep();
    option.pageStep = bar->pageStep();
    option.subControls = QStyle::SC_All;
    return bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider,
                                        bar);
}

} // namespace

class Form1Test : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void showsInitialState();
    void showsExactTexts_data();
    void showsExactTexts();
    void placesControlsByTheirTwips_data();
    void placesControlsByTheirTwips();
    void followsTheWindowDescription();
    void arrowClickStepsAndRedrawsOnce();
    void thumbDragRedrawsOnceAtRelease();
    void typingWaitsForTheButton();
    void enterInTextBoxDoesNothing_data();
    void enterInTextBoxDoesNothing();
    void heightBarUsesTypedMach();
    void tabCyclesThroughFocusableControls();
    void machOneShowsMessageOverAxes_data();
    void machOneShowsMessageOverAxes();
    void messageStopsHeldArrow();
    void aboutOpensOneWindow();
    void aboutReopensUnchangedAfterClose();
    void aboutLeavesMainWindowUsable();
};

void Form1Test::showsInitialState() {
    Window w;
    QCOMPARE(w.form.windowTitle(), u"Tesvelin üzerinde küçük bozuntulu süpersonik akım"_s);
    QCOMPARE(w.moo()->text(), u"1.01"_s);
    QCOMPARE(w.hbl()->text(), u"0.01"_s);
    QCOMPARE(w.bar(u"HScroll_Moo"_s)->value(), 101);
    QCOMPARE(w.bar(u"HScroll_HbL"_s)->value(), 1);
    QVERIFY(w.picture(u"Picture_Akım"_s)->displayList().empty());
    QVERIFY(w.picture(u"Picture_basınç"_s)->displayList().empty());
    QVERIFY(!w.form.model().hasFlow());
    QTRY_COMPARE(QApplication::focusWidget(), w.picture(u"Picture_Akım"_s));
    const QList<QAction *> menu = w.form.menuBar()->actions();
    QCOMPARE(menu.size(), 2);
    // "About", with A as its access key, first; the Teori menu after it.
    QCOMPARE(menu.front()->text(), u"&About"_s);
    QCOMPARE(menu.back()->text(), u"&Teori"_s);
    QVERIFY(!w.button()->isDefault() && !w.button()->autoDefault());
    // No length limit: a long text is kept whole.
    const QString longText = u"2"_s + QString(100000, u'0');
    w.hbl()->setText(longText);
    QCOMPARE(w.hbl()->text(), longText);
}

void Form1Test::showsExactTexts_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::newRow("Mach label") << u"Label1"_s << u"Moo ="_s;
    QTest::newRow("height label") << u"Label2"_s << u"H/L ="_s;
    QTest::newRow("flow title") << u"Label3"_s << u"Akım çizgileri"_s;
    QTest::newRow("pressure title")
        << u"Label4"_s << u"Duvar üzerinde basınç katsayılarının dağılımı"_s;
}

void Form1Test::showsExactTexts() {
    QFETCH(QString, name);
    QFETCH(QString, text);
    Window w;
    const QLabel *label = w.find<QLabel>(name);
    QCOMPARE(label->text(), text);
    // Shrunk if need be, but never cut off within the label's width.
    QVERIFY(label->fontMetrics().horizontalAdvance(text) <= label->contentsRect().width());
    QCOMPARE(w.button()->text(), u"HESAPLA"_s);
}

// A control of the description, with its rectangle there.
template <typename Control> void addControlRow(const char *what) {
    const TwipRect t = Control::twips;
    QTest::newRow(what) << toQString(Control::name) << QRect(t.left, t.top, t.width, t.height);
}

void Form1Test::placesControlsByTheirTwips_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("twips");
    using described = windows::Form1;
    addControlRow<described::Frame1>("frame");
    addControlRow<described::HScroll_Moo>("Mach bar");
    addControlRow<described::HScroll_HbL>("height bar");
    addControlRow<described::Text_Moo>("Mach box");
    addControlRow<described::Text_HbL>("height box");
    addControlRow<described::Command1>("button");
    addControlRow<described::Picture_Akım>("flow plot");
    addControlRow<described::Picture_basınç>("pressure plot");
}

void Form1Test::placesControlsByTheirTwips() {
    QFETCH(QString, name);
    QFETCH(QRect, twips);
    Window w;
    const double dpi = w.form.logicalDpiX();
    const QRect expected = toPixels({twips.x(), twips.y(), twips.width(), twips.height()}, dpi);
    QCOMPARE(w.find<QWidget>(name)->geometry(), expected);
    if (dpi == 96) {
        QCOMPARE(expected.topLeft(), QPoint(twips.x() / 15, twips.y() / 15));
    }
}

// The window is built from the description the page reads too.
void Form1Test::followsTheWindowDescription() {
    using described = windows::Form1;
    Window w;
    const QWidget *plot = w.find<QWidget>(toQString(described::Picture_basınç::name));
    QCOMPARE(plot->geometry(), toPixels(described::Picture_basınç::twips, w.form.logicalDpiX()));
    QCOMPARE(w.find<QLabel>(u"Label4"_s)->text(), toQString(described::Label4::text));
    QCOMPARE(w.bar(u"HScroll_Moo"_s)->maximum(), described::HScroll_Moo::maximum);
}

void Form1Test::arrowClickStepsAndRedrawsOnce() {
    Window w;
    QScrollBar *bar = w.bar(u"HScroll_Moo"_s);
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() - 3, bar->height() / 2));
    QCOMPARE(bar->value(), 102);
    QCOMPARE(w.moo()->text(), u"1.02"_s);
    QCOMPARE(w.redraws(), 1);
    QCOMPARE(w.picture(u"Picture_Akım"_s)->displayList().size() > 0, true);
    QVERIFY(std::abs(w.form.model().state().Beta - 0.200997512422418) < 1e-12);
}

void Form1Test::thumbDragRedrawsOnceAtRelease() {
    Window w;
    QScrollBar *bar = w.bar(u"HScroll_Moo"_s);
    const QPoint start = sliderRect(bar).center();
    const QPoint end(bar->width() - sliderRect(bar).width(), start.y());
    QTest::mousePress(bar, Qt::LeftButton, {}, start);
    for (int x = start.x(); x <= end.x(); x += 4) {
        QMouseEvent move(QEvent::MouseMove, QPointF(x, start.y()),
                         bar->mapToGlobal(QPointF(x, start.y())), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(bar, &move);
    }
    QCOMPARE(w.redraws(), 0);
    QVERIFY(bar->sliderPosition() > 101);
    QTest::mouseRelease(bar, Qt::LeftButton, {}, end);
    QCOMPARE(w.redraws(), 1);
    QVERIFY(bar->value() > 101);
    QCOMPARE(w.moo()->text(), QString::number(bar->value() / 100.0));
}

void Form1Test::typingWaitsForTheButton() {
    Window w;
    QLineEdit *moo = w.moo();
    moo->setFocus();
    moo->selectAll();
    QTest::keyClicks(moo, u"1.5"_s);
    QCOMPARE(moo->text(), u"1.5"_s);
    QCOMPARE(w.redraws(), 0);
    QTest::mouseClick(w.button(), Qt::LeftButton);
    QCOMPARE(w.redraws(), 1);
    QVERIFY(std::abs(w.form.model().state().Beta - 1.11803398875) < 1e-11);
    QCOMPARE(w.bar(u"HScroll_Moo"_s)->value(), 101);
    QCOMPARE(moo->text(), u"1.5"_s);
}

void Form1Test::enterInTextBoxDoesNothing_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("key");
    QTest::newRow("Enter in Mach box") << u"Text_Moo"_s << int(Qt::Key_Return);
    QTest::newRow("keypad Enter in height box") << u"Text_HbL"_s << int(Qt::Key_Enter);
    QTest::newRow("Escape in Mach box") << u"Text_Moo"_s << int(Qt::Key_Escape);
}

void Form1Test::enterInTextBoxDoesNothing() {
    QFETCH(QString, name);
    QFETCH(int, key);
    Window w;
    QLineEdit *box = w.box(name);
    box->setFocus();
    QTest::keyClick(box, static_cast<Qt::Key>(key));
    QCOMPARE(w.redraws(), 0);
    QVERIFY(w.messages.isEmpty());
}

void Form1Test::heightBarUsesTypedMach() {
    Window w;
    w.moo()->setText(u"2"_s);
    QScrollBar *bar = w.bar(u"HScroll_HbL"_s);
    bar->setFocus();
    QTest::keyClick(bar, Qt::Key_End);
    QCOMPARE(w.hbl()->text(), u"0.2"_s);
    QCOMPARE(w.form.model().state().H, 0.2);
    QVERIFY(std::abs(w.form.model().state().Beta - std::sqrt(3.0)) < 1e-15);
    QCOMPARE(w.bar(u"HScroll_Moo"_s)->value(), 101);
}

void Form1Test::tabCyclesThroughFocusableControls() {
    Window w;
    QTRY_COMPARE(QApplication::focusWidget(), w.picture(testing::tabOrder.front()));
    for (qsizetype i = 1; i <= testing::tabOrder.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(),
                 testing::tabOrder[i % testing::tabOrder.size()]);
    }
    QCOMPARE(w.redraws(), 0);
}

void Form1Test::machOneShowsMessageOverAxes_data() {
    QTest::addColumn<QString>("moo");
    QTest::newRow("one") << u"1"_s;
    QTest::newRow("comma reads as one") << u"1,01"_s;
}

void Form1Test::machOneShowsMessageOverAxes() {
    QFETCH(QString, moo);
    Window w;
    w.moo()->setText(moo);
    QTest::mouseClick(w.button(), Qt::LeftButton);
    QCOMPARE(w.messages, QStringList{testing::qstr(messages::machOne)});
    QCOMPARE(w.picture(u"Picture_basınç"_s)->displayList().size(), 2u);
    QCOMPARE(w.picture(u"Picture_Akım"_s)->displayList().empty(), false);
    QCOMPARE(w.redraws(), 1);
}

// A message box opening under a pressed arrow takes the button's release;
// the bar must not go on stepping behind it.
void Form1Test::messageStopsHeldArrow() {
    Window w;
    // Like a real message box: modal, and it is where the button comes up.
    w.messenger.setFunction([&w](const QString &text) {
        w.messages.append(text);
        QDialog box(&w.form);
        box.setModal(true);
        box.show();
        QTest::qWait(50);
        QTest::mouseRelease(&box, Qt::LeftButton);
        box.close();
    });
    w.moo()->setText(u"abc"_s);
    QScrollBar *bar = w.bar(u"HScroll_HbL"_s);
    QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(bar->width() - 3, bar->height() / 2));
    QTest::qWait(1500);
    QCOMPARE(w.messages, QStringList{testing::qstr(messages::machZero)});
    QCOMPARE(bar->value(), 2);
    QCOMPARE(w.hbl()->text(), u"0.02"_s);
    QVERIFY(!bar->isSliderDown());
}

void Form1Test::aboutOpensOneWindow() {
    Window w;
    for (int i = 0; i < 3; ++i) {
        w.aboutCommand()->trigger();
    }
    int aboutWindows = 0;
    for (QWidget *top : QApplication::topLevelWidgets()) {
        aboutWindows += qobject_cast<Form_About *>(top) != nullptr;
    }
    QCOMPARE(aboutWindows, 1);
    Form_About *about = w.form.aboutWindow();
    QVERIFY(about && about->isVisible());
    QCOMPARE(about->parentWidget(), nullptr);
    QCOMPARE(about->windowTitle(), u"About"_s);
    QVERIFY(!(about->windowFlags() & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(about->windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(about->windowFlags() & Qt::WindowCloseButtonHint);
    QCOMPARE(about->findChildren<QLabel *>().size(), 7);
    QVERIFY(!about->isModal());
}

void Form1Test::aboutReopensUnchangedAfterClose() {
    Window w;
    w.aboutCommand()->trigger();
    Form_About *about = w.form.aboutWindow();
    const QSize size = about->size();
    QStringList texts;
    for (const QLabel *label : about->findChildren<QLabel *>()) {
        texts.append(label->text());
    }
    QVERIFY(about->close());
    QVERIFY(!about->isVisible());
    w.aboutCommand()->trigger();
    QCOMPARE(w.form.aboutWindow(), about);
    QVERIFY(about->isVisible());
    QCOMPARE(about->size(), size);
    QStringList again;
    for (const QLabel *label : about->findChildren<QLabel *>()) {
        again.append(label->text());
    }
    QCOMPARE(again, texts);
    QVERIFY(texts.contains(u" potential flows"_s));
}

void Form1Test::aboutLeavesMainWindowUsable() {
    Window w;
    w.aboutCommand()->trigger();
    QScrollBar *bar = w.bar(u"HScroll_HbL"_s);
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() - 3, bar->height() / 2));
    QTest::mouseClick(w.button(), Qt::LeftButton);
    QCOMPARE(w.redraws(), 2);
    QCOMPARE(w.hbl()->text(), u"0.02"_s);
    QVERIFY(w.form.aboutWindow()->isVisible());
}

QTEST_MAIN(Form1Test)
#include "tst_form1.moc"
