// The program in light and dark desktop themes: every text stays readable,
// on the theme's own backgrounds and on the fixed light yellow alike,
// measured from the pixels it paints.
#include "tests/support/themes.h"
#include "tests/support/windowrig.h"
#include "ui/contrast.h"
#include "ui/formabout.h"

#include <QHash>
#include <QLabel>
#include <QScrollBar>
#include <QStyleOptionSlider>

using namespace Qt::StringLiterals;

using namespace wavywall;
using wavywall::testing::Theme;
using wavywall::testing::ThemeScope;

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
double strongestContrast(const QImage &image) {
    const QRgb background = mostCommonColour(image);
    double best = 1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            best = std::max(best, contrastRatio(background, image.pixel(x, y)));
        }
    }
    return best;
}

} // namespace

class ThemeTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void contrastOfKnownPairs_data();
    void contrastOfKnownPairs();
    void aboutLinesRead_data();
    void aboutLinesRead();
    void plotTitlesRead_data();
    void plotTitlesRead();
    void thumbStandsOutFromItsTrack_data();
    void thumbStandsOutFromItsTrack();
};

// The measure the other rows read by, against ratios worked out by hand from
// the sRGB relative luminance: (L1 + 0.05) / (L2 + 0.05).
void ThemeTest::contrastOfKnownPairs_data() {
    QTest::addColumn<QColor>("a");
    QTest::addColumn<QColor>("b");
    QTest::addColumn<double>("ratio");
    QTest::newRow("black on white") << QColor(Qt::black) << QColor(Qt::white) << 21.0;
    QTest::newRow("white on black") << QColor(Qt::white) << QColor(Qt::black) << 21.0;
    QTest::newRow("a colour on itself") << QColor(0x3daee9) << QColor(0x3daee9) << 1.0;
    QTest::newRow("red on white") << QColor(Qt::red) << QColor(Qt::white) << 3.998;
    QTest::newRow("blue on white") << QColor(Qt::blue) << QColor(Qt::white) << 8.592;
    QTest::newRow("grey 767676 on white, just above 4.5")
        << QColor(0x767676) << QColor(Qt::white) << 4.542;
    QTest::newRow("grey 777777 on white, just below")
        << QColor(0x777777) << QColor(Qt::white) << 4.478;
    QTest::newRow("black on light yellow") << QColor(Qt::black) << QColor(0xffffc0) << 20.317;
}

void ThemeTest::contrastOfKnownPairs() {
    QFETCH(QColor, a);
    QFETCH(QColor, b);
    QFETCH(double, ratio);
    QVERIFY2(std::abs(contrastRatio(a, b) - ratio) < 0.001,
             qPrintable(u"%1:1"_s.arg(contrastRatio(a, b), 0, 'f', 4)));
}

void ThemeTest::aboutLinesRead_data() {
    QTest::addColumn<Theme>("theme");
    QTest::addColumn<QString>("label");
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
    for (const auto &[name, theme] : testing::themes) {
        for (const auto &line : lines) {
            QTest::addRow("%s, %s", name, line.name) << theme << QString::fromUtf16(line.label);
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
    const double contrast = strongestContrast(image);
    QVERIFY2(contrast >= 4.5, qPrintable(u"contrast %1:1"_s.arg(contrast, 0, 'f', 2)));
}

void ThemeTest::plotTitlesRead_data() {
    QTest::addColumn<Theme>("theme");
    QTest::addColumn<QString>("label");
    for (const auto &[name, theme] : testing::themes) {
        QTest::addRow("%s, flow title", name) << theme << u"Label3"_s;
        QTest::addRow("%s, pressure title", name) << theme << u"Label4"_s;
        QTest::addRow("%s, second-order legend", name) << theme << u"Label_İkinciMertebe"_s;
        QTest::addRow("%s, simple-wave legend", name) << theme << u"Label_BasitDalgaÇözümü"_s;
    }
}

// The titles inside the plot boxes stand on the plot's light yellow in every
// theme, in a text colour that reads on it.
void ThemeTest::plotTitlesRead() {
    QFETCH(Theme, theme);
    QFETCH(QString, label);
    const ThemeScope dressed(theme);
    const testing::WindowRig w;
    auto *title = w.find<QLabel>(label);
    const QImage image = grabbed(*title);
    QCOMPARE(mostCommonColour(image), qRgb(255, 255, 192));
    const double contrast = strongestContrast(image);
    QVERIFY2(contrast >= 4.5, qPrintable(u"contrast %1:1"_s.arg(contrast, 0, 'f', 2)));
}

void ThemeTest::thumbStandsOutFromItsTrack_data() {
    QTest::addColumn<Theme>("theme");
    for (const auto &[name, theme] : testing::themes) {
        QTest::newRow(name) << theme;
    }
}

// The thumb of a scroll bar reads against its track as a control's parts
// must (3:1): the track is the colour most of the bar shows, the thumb the
// colour at its middle.
void ThemeTest::thumbStandsOutFromItsTrack() {
    QFETCH(Theme, theme);
    const ThemeScope dressed(theme);
    const testing::WindowRig w;
    QScrollBar *bar = w.bar(u"HScroll_Moo"_s);
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
    const double contrast = contrastRatio(mostCommonColour(image), image.pixel(middle));
    QVERIFY2(contrast >= 3, qPrintable(u"contrast %1:1"_s.arg(contrast, 0, 'f', 2)));
}

QTEST_MAIN(ThemeTest)
#include "tst_theme.moc"
