// The plot canvas: colour encoding, the user scale, clipping, and what a
// plot box actually shows on screen.
#include "canvas/canvas.h"
#include "ui/picturebox.h"
#include "canvas/userscale.h"

#include <QApplication>
#include <QImage>
#include <QTest>

#include <cmath>
#include <limits>

using namespace wavywall;

Q_DECLARE_METATYPE(wavywall::UnitLine)

namespace {
// The flow picture's scale on a 400 x 200 pixel drawing area.
const UserScale flowScale = UserScale::fromCorners(-0.2, -1.8, 3.8, 0.2);
constexpr double areaWidth = 400;
constexpr double areaHeight = 200;

QPointF toPixel(UnitPoint p) {
    return {p.u * areaWidth, p.v * areaHeight};
}

int countPixels(const QImage &image, QRgb colour) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            n += (image.pixel(x, y) & 0xFFFFFFu) == (colour & 0xFFFFFFu);
        }
    }
    return n;
}
} // namespace

class CanvasTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void coloursAreBlueGreenRed_data();
    void coloursAreBlueGreenRed();
    void scaleMapsLinearly_data();
    void scaleMapsLinearly();
    void clipsAtTheEdges_data();
    void clipsAtTheEdges();
    void narrowsWithoutOverflow_data();
    void narrowsWithoutOverflow();
    void farPointsStayOnTheirLine();
    void farEndClipsLikeNearOne_data();
    void farEndClipsLikeNearOne();
    void boxShowsBareBackgroundAfterClear();
    void boxShowsLinesInTheirColours();
};

void CanvasTest::coloursAreBlueGreenRed_data() {
    QTest::addColumn<Colour>("colour");
    QTest::addColumn<Colour>("value");
    QTest::addColumn<QColor>("qt");
    QTest::newRow("red") << colours::red << 255u << QColor(255, 0, 0);
    QTest::newRow("blue") << colours::blue << 16711680u << QColor(0, 0, 255);
    QTest::newRow("light yellow") << colours::lightYellow << 0x00C0FFFFu << QColor(255, 255, 192);
}

void CanvasTest::coloursAreBlueGreenRed() {
    QFETCH(Colour, colour);
    QFETCH(Colour, value);
    QFETCH(QColor, qt);
    QCOMPARE(colour, value);
    QCOMPARE(toQColor(colour), qt);
}

void CanvasTest::scaleMapsLinearly_data() {
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<QPointF>("pixel");
    QTest::newRow("origin") << 0.0 << 0.0 << QPointF(20, 180);
    QTest::newRow("upper-left corner") << -0.2 << -1.8 << QPointF(0, 0);
    QTest::newRow("lower-right corner") << 3.8 << 0.2 << QPointF(400, 200);
}

void CanvasTest::scaleMapsLinearly() {
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(QPointF, pixel);
    const QPointF mapped = toPixel(flowScale.toUnit(x, y));
    QVERIFY2(std::abs(mapped.x() - pixel.x()) < 1e-9 && std::abs(mapped.y() - pixel.y()) < 1e-9,
             qPrintable(QStringLiteral("%1, %2").arg(mapped.x()).arg(mapped.y())));
}

void CanvasTest::clipsAtTheEdges_data() {
    QTest::addColumn<QLineF>("user");
    QTest::addColumn<bool>("visible");
    QTest::addColumn<QLineF>("pixels");
    QTest::newRow("cut at the top edge") << QLineF(0, -2, 0, 0.1) << true << QLineF(20, 0, 20, 190);
    QTest::newRow("wholly inside") << QLineF(0, 0, 2, 0) << true << QLineF(20, 180, 220, 180);
    QTest::newRow("wholly right of the area") << QLineF(4, -1, 5, -1) << false << QLineF();
    QTest::newRow("wholly above the area") << QLineF(0, -3, 3, -2) << false << QLineF();
    QTest::newRow("across both side edges")
        << QLineF(-1, -1, 5, -1) << true << QLineF(0, 80, 400, 80);
    QTest::newRow("passes by a corner") << QLineF(3.7, -2.5, 4.5, -1.5) << false << QLineF();
}

void CanvasTest::clipsAtTheEdges() {
    QFETCH(QLineF, user);
    QFETCH(bool, visible);
    QFETCH(QLineF, pixels);
    const auto clipped = clipToUnitSquare(
        {flowScale.toUnit(user.x1(), user.y1()), flowScale.toUnit(user.x2(), user.y2())});
    QCOMPARE(clipped.has_value(), visible);
    if (visible) {
        const QLineF got(toPixel(clipped->from), toPixel(clipped->to));
        QVERIFY2((got.p1() - pixels.p1()).manhattanLength() < 1e-9 &&
                     (got.p2() - pixels.p2()).manhattanLength() < 1e-9,
                 qPrintable(QStringLiteral("%1,%2 %3,%4")
                                .arg(got.x1())
                                .arg(got.y1())
                                .arg(got.x2())
                                .arg(got.y2())));
    }
}

void CanvasTest::narrowsWithoutOverflow_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<float>("expected");
    const float largest = std::numeric_limits<float>::max();
    QTest::newRow("ordinary") << 1.5 << 1.5f;
    QTest::newRow("beyond float, positive") << 1e300 << largest;
    QTest::newRow("beyond float, negative") << -1e39 << -largest;
    QTest::newRow("largest double") << std::numeric_limits<double>::max() << largest;
}

void CanvasTest::narrowsWithoutOverflow() {
    QFETCH(double, value);
    QFETCH(float, expected);
    QCOMPARE(toSingle(value), expected);
}

// A line between points far beyond the float range keeps its direction: the
// part inside the area is the part of the true line, never a stray cut.
void CanvasTest::farPointsStayOnTheirLine() {
    const float far = std::numeric_limits<float>::max();
    const auto steep = clipToUnitSquare({flowScale.toUnit(1.0, -far), flowScale.toUnit(1.0, far)});
    QVERIFY(steep);
    QCOMPARE(toPixel(steep->from), QPointF(120, 0));
    QCOMPARE(toPixel(steep->to), QPointF(120, 200));
    const auto outside =
        clipToUnitSquare({flowScale.toUnit(far, -far), flowScale.toUnit(far, far)});
    QVERIFY(!outside);
    const double inf = std::numeric_limits<double>::infinity();
    QVERIFY(!clipToUnitSquare({{0.5, 0.5}, {inf, 0.5}}));
    QVERIFY(!clipToUnitSquare({{std::nan(""), 0.5}, {0.5, 0.5}}));
}

// One end far beyond the float range, the other near the area: the crossings
// near the area must not be lost to the far end's size. These are the Mach
// lines of a huge wave height at Mach one, and lines like them.
void CanvasTest::farEndClipsLikeNearOne_data() {
    QTest::addColumn<UnitLine>("line");
    QTest::addColumn<bool>("visible");
    QTest::addColumn<UnitLine>("expected");
    const double far = 1.7e38;
    QTest::newRow("far below to just above: the whole height")
        << UnitLine{{0.05, far}, {0.05, -0.1}} << true << UnitLine{{0.05, 1}, {0.05, 0}};
    QTest::newRow("far above to just above: nothing")
        << UnitLine{{0.05, -far}, {0.05, -0.1}} << false << UnitLine{};
    QTest::newRow("far left to inside")
        << UnitLine{{-far, 0.5}, {0.5, 0.5}} << true << UnitLine{{0, 0.5}, {0.5, 0.5}};
    QTest::newRow("far corner to just above, through two edges")
        << UnitLine{{1e38, 1e38}, {0.5, -0.1}} << true << UnitLine{{1, 0.4}, {0.6, 0}};
    QTest::newRow("inside to far right")
        << UnitLine{{0.25, 0.75}, {far, 0.75}} << true << UnitLine{{0.25, 0.75}, {1, 0.75}};
    QTest::newRow("both ends far, through the middle")
        << UnitLine{{-1e38, -1e38}, {1e38, 1e38}} << true << UnitLine{{0, 0}, {1, 1}};
}

void CanvasTest::farEndClipsLikeNearOne() {
    QFETCH(UnitLine, line);
    QFETCH(bool, visible);
    QFETCH(UnitLine, expected);
    const auto clipped = clipToUnitSquare(line);
    QCOMPARE(clipped.has_value(), visible);
    if (visible) {
        const auto near = [](UnitPoint a, UnitPoint b) {
            return std::abs(a.u - b.u) < 1e-12 && std::abs(a.v - b.v) < 1e-12;
        };
        QVERIFY2(near(clipped->from, expected.from) && near(clipped->to, expected.to),
                 qPrintable(QStringLiteral("%1,%2 %3,%4")
                                .arg(clipped->from.u)
                                .arg(clipped->from.v)
                                .arg(clipped->to.u)
                                .arg(clipped->to.v)));
    }
}

void CanvasTest::boxShowsBareBackgroundAfterClear() {
    PictureBox box;
    box.resize(404, 204);
    box.Scale(0, 0, 1, 1);
    box.Line(0, 0, 1, 1, colours::red);
    box.Cls();
    box.Scale(-0.2, -1.8, 3.8, 0.2);
    QVERIFY(box.displayList().empty());
    const QImage image = box.grab(box.contentsRect()).toImage();
    QCOMPARE(countPixels(image, toQColor(colours::lightYellow).rgb()),
             image.width() * image.height());
}

void CanvasTest::boxShowsLinesInTheirColours() {
    PictureBox box;
    box.resize(404, 204); // a 2-pixel border around 400 x 200
    QCOMPARE(box.contentsRect().size(), QSize(400, 200));
    box.Cls();
    box.Scale(-0.2, -1.8, 3.8, 0.2);
    box.Line(0, -1, 2, -1, colours::red);
    box.Line(0, -0.5f, 2, -0.5f, colours::blue);
    box.Line(5, -1, 6, -1, colours::green); // outside: draws nothing
    QCOMPARE(box.displayList().size(), 2u);
    const QImage image = box.grab(box.contentsRect()).toImage();
    const QRgb red = qRgb(255, 0, 0);
    const QRgb blue = qRgb(0, 0, 255);
    QCOMPARE(image.pixel(120, 80) & 0xFFFFFFu, red & 0xFFFFFFu);
    QCOMPARE(image.pixel(120, 130) & 0xFFFFFFu, blue & 0xFFFFFFu);
    QCOMPARE(image.pixel(300, 80) & 0xFFFFFFu, qRgb(255, 255, 192) & 0xFFFFFFu);
    QVERIFY(countPixels(image, red) >= 200);
    QVERIFY(countPixels(image, blue) >= 200);
    QCOMPARE(countPixels(image, qRgb(0, 255, 0)), 0);
}

QTEST_MAIN(CanvasTest)
#include "tst_canvas.moc"
