// The program in light and dark desktop themes: every text stays readable,
// on the theme's own backgrounds and on the fixed light yellow alike,
// measured from the pixels it paints.
#include "tests/support/themes.h"
#include "ui/form1.h"
#include "ui/formabout.h"

#include <QAction>
#include <QHash>
#include <QImage>
#include <QLabel>
#include <QScrollBar>
#include <QStyleOptionSlider>
#include <QTest>

using namespace Qt::StringLiterals;

using namespace wavywall;
using wavywall::testing::Theme;
using wavywall::testing::ThemeScope;
using wavywall::testing::wcagContrast;

namespace {

QImage grabbed(QWidget &widget) {
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QRgb mostCommonColour(const QImage &image) {
    QHash<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            ++counts[image.pixel(x, y)];
        }
    }
    QRgb common = 0;
    int most = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (it.value() > most) {
            most = it.value();
            common = it.key();
        }
    }
    return common;
}

// The background is the colour most of a one-line label shows; the text
// reaches, in its strokes' cores, the colour that stands out most from it.
double textContrast(const QImage &image) {
    const QRgb background = mostCommonColour(image);
    double best = 1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            best = std::max(best, wcagContrast(background, image.pixel(x, y)));
        }
    }
    return best;
}

} // namespace

class ThemeTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void aboutLinesRead_data();
    void aboutLinesRead();
    void plotTitlesRead_data();
    void plotTitlesRead();
    void thumbStandsOutFromItsTrack_data();
    void thumbStandsOutFromItsTrack();
};

void ThemeTest::aboutLinesRead_data() {
    QTest::addColumn<Theme>("theme");
    QTest::addColumn<QString>("label");
    const struct {
        const char *name;
        Theme theme;
    } themes[] = {{"light", Theme::Light},
                  {"Breeze Dark", Theme::BreezeDark},
                  {"Adwaita dark", Theme::AdwaitaDark}};
    const struct {
        const char *name;
        const char16_t *label;
    } lines[] = {
        {"title, first line", u"Label2"},
        {"title, second line", u"Label3"},
        {"title, third line", u"Label1"},
        {"credit line", u"Label7"},
        {"date", u"Label8"},
        {"comments line", u"Label4"},
        {"address", u"Label5"},
    };
    for (const auto &theme : themes) {
        for (const auto &line : lines) {
            QTest::addRow("%s, %s", theme.name, line.name)
                << theme.theme << QString::fromUtf16(line.label);
        }
    }
}

// Every line of the About window, on its fixed light yellow, reads at least
// as well as ordinary text must (4.5:1), whatever colour the theme gives text.
void ThemeTest::aboutLinesRead() {
    QFETCH(Theme, theme);
    QFETCH(QString, label);
    const ThemeScope dressed(theme);
    Form_About about;
    about.show();
    auto *line = about.findChild<QLabel *>(label);
    QVERIFY(line);
    const QImage image = grabbed(*line);
    QCOMPARE(mostCommonColour(image), qRgb(255, 255, 192));
    const double contrast = textContrast(image);
    QVERIFY2(contrast >= 4.5, qPrintable(u"contrast %1:1"_s.arg(contrast, 0, 'f', 2)));
}

void ThemeTest::plotTitlesRead_data() {
    QTest::addColumn<Theme>("theme");
    QTest::addColumn<QString>("label");
    for (const auto &[name, theme] :
         {std::pair{"light", Theme::Light}, std::pair{"Breeze Dark", Theme::BreezeDark},
          std::pair{"Adwaita dark", Theme::AdwaitaDark}}) {
        QTest::addRow("%s, flow title", name) << theme << u"Label3"_s;
        QTest::addRow("%s, pressure title", name) << theme << u"Label4"_s;
    }
}

// The titles inside the plot boxes keep the theme's own label background, and
// with it a text colour made for it.
void ThemeTest::plotTitlesRead() {
    QFETCH(Theme, theme);
    QFETCH(QString, label);
    const ThemeScope dressed(theme);
    Form1 form;
    form.show();
    auto *title = form.findChild<QLabel *>(label);
    QVERIFY(title);
    const QImage image = grabbed(*title);
    QCOMPARE(mostCommonColour(image), title->palette().color(QPalette::Window).rgb());
    const double contrast = textContrast(image);
    QVERIFY2(contrast >= 4.5, qPrintable(u"contrast %1:1"_s.arg(contrast, 0, 'f', 2)));
}

void ThemeTest::thumbStandsOutFromItsTrack_data() {
    QTest::addColumn<Theme>("theme");
    QTest::newRow("light") << Theme::Light;
    QTest::newRow("Breeze Dark") << Theme::BreezeDark;
    QTest::newRow("Adwaita dark") << Theme::AdwaitaDark;
}

// The thumb of a scroll bar reads against its track as a control's parts
// must (3:1): the track is the colour most of the bar shows, the thumb the
// colour at its middle.
void ThemeTest::thumbStandsOutFromItsTrack() {
    QFETCH(Theme, theme);
    const ThemeScope dressed(theme);
    Form1 form;
    form.show();
    auto *bar = form.findChild<QScrollBar *>(u"HScroll_Moo"_s);
    QVERIFY(bar);
    QStyleOptionSlider option;
    option.initFrom(bar);
    option.orientation = Qt::Horizontal;
    option.minimum = bar->minimum();
    option.maximum = bar->maximum();
    option.sliderPosition = option.sliderValue = bar->value();
    option.singleStep = bar->singleStep();
    option.pageStep = bar->pageStep();
    const QPoint middle =
        bar->style()
            ->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, bar)
            .center();
    const QImage image = grabbed(*bar);
    const double contrast = wcagContrast(mostCommonColour(image), image.pixel(middle));
    QVERIFY2(contrast >= 3, qPrintable(u"contrast %1:1"_s.arg(contrast, 0, 'f', 2)));
}

QTEST_MAIN(ThemeTest)
#include "tst_theme.moc"
