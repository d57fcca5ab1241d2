// Plots on screens scaled by a fraction, as at 125 %: the pen, the ratio
// rounded to whole device pixels as the web page draws it, stays one even
// line where the segments of a curve meet, and every pixel of a line keeps
// the plot's exact colour.
#include "model/pressureplot.h"
#include "tests/support/fakes.h"
#include "tests/support/windowrig.h"
#include "ui/layouttable.h"

#include <QSet>

using namespace Qt::StringLiterals;

using namespace wavywall;
using wavywall::testing::loadedState;
using wavywall::MessageList;
using wavywall::testing::rendered;

namespace {

bool isCurve(QRgb pixel) {
    return pixel == qRgb(255, 0, 0) || pixel == qRgb(0, 0, 255);
}

// The pressure plot at Mach 2 and H/L = 0.1: a sine of Cp whose slope stays
// below one pixel per pixel, so that an even line of the pen's width shows
// the same number of pixels in every column it crosses.
struct PressureBox {
    PictureBox box;
    PressureBox() {
        box.resize(toPixels(windows::Form1::Picture_basınç::twips, 96).size());
        MessageList messages;
        basınç_çiz(loadedState(std::sqrt(3.0), 0.1), box, messages);
    }
};

} // namespace

class FractionalRatioTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void curveIsEven_data();
    void curveIsEven();
    void linesKeepTheirColours_data();
    void linesKeepTheirColours();
};

void FractionalRatioTest::curveIsEven_data() {
    QTest::addColumn<double>("ratio");
    QTest::addColumn<int>("pixelsPerColumn");
    QTest::newRow("100 %") << 1.0 << 1;
    QTest::newRow("125 %") << 1.25 << 1;
    QTest::newRow("150 %") << 1.5 << 2;
    QTest::newRow("175 %") << 1.75 << 2;
    QTest::newRow("200 %") << 2.0 << 2;
    QTest::newRow("300 %") << 3.0 << 3;
}

// Column by column over the curve's inner stretch, away from its two ends:
// the pen is as many device pixels wide as the ratio rounds to (the plots'
// pixels themselves are pinned in tst_drawnoutput).
void FractionalRatioTest::curveIsEven() {
    QFETCH(double, ratio);
    QFETCH(int, pixelsPerColumn);
    PressureBox plot;
    const QImage image = rendered(plot.box, ratio);
    const QRect inner = plot.box.contentsRect();
    // The curve runs from x = 0 to x = 2 of the scale (-0.2 .. 3.8).
    const int first = static_cast<int>(std::ceil((inner.left() + 0.1 * inner.width()) * ratio));
    const int last = static_cast<int>(std::floor((inner.left() + 0.5 * inner.width()) * ratio));
    for (int x = first; x <= last; ++x) {
        int count = 0;
        for (int y = 0; y < image.height(); ++y) {
            count += isCurve(image.pixel(x, y)) ? 1 : 0;
        }
        QVERIFY2(count == pixelsPerColumn,
                 qPrintable(u"column %1 shows %2 pixels of the curve"_s.arg(x).arg(count)));
    }
}

void FractionalRatioTest::linesKeepTheirColours_data() {
    QTest::addColumn<double>("ratio");
    for (const double ratio : {1.0, 1.25, 1.5, 1.75, 2.0, 3.0}) {
        QTest::addRow("%g %%", ratio * 100) << ratio;
    }
}

// Inside the drawing area there is the light yellow and the plot's own grey,
// red and blue, and nothing in between.
void FractionalRatioTest::linesKeepTheirColours() {
    QFETCH(double, ratio);
    PressureBox plot;
    const QImage image = rendered(plot.box, ratio);
    const QRectF inner = plot.box.contentsRect();
    const QRect innerPixels(QPoint(static_cast<int>(std::ceil(inner.left() * ratio)),
                                   static_cast<int>(std::ceil(inner.top() * ratio))),
                            QPoint(static_cast<int>(std::floor(inner.right() * ratio)) - 1,
                                   static_cast<int>(std::floor(inner.bottom() * ratio)) - 1));
    const QSet<QRgb> allowed = {qRgb(255, 255, 192), qRgb(200, 200, 200), qRgb(255, 0, 0),
                                qRgb(0, 0, 255)};
    for (int y = innerPixels.top(); y <= innerPixels.bottom(); ++y) {
        for (int x = innerPixels.left(); x <= innerPixels.right(); ++x) {
            QVERIFY2(allowed.contains(image.pixel(x, y)),
                     qPrintable(u"pixel %1, %2 is #%3"_s.arg(x).arg(y).arg(
                         image.pixel(x, y) & 0xffffff, 6, 16, QLatin1Char('0'))));
        }
    }
}

QTEST_MAIN(FractionalRatioTest)
#include "tst_fractionalratio.moc"
