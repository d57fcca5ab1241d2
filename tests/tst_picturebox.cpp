// The plot box on screen: the core's colours as Qt paints them, the bare
// background after a clear, and lines and a whole flow picture in their
// colours where the user scale puts them.
#include "model/flowplot.h"
#include "tests/support/fakes.h"
#include "ui/picturebox.h"

#include <QImage>
#include <QTest>

#include <cmath>

using namespace wavywall;
using wavywall::testing::loadedState;

namespace {
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

class PictureBoxTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void coloursAreBlueGreenRed_data();
    void coloursAreBlueGreenRed();
    void boxShowsBareBackgroundAfterClear();
    void boxShowsLinesInTheirColours();
    void rendersWallStreamlinesAndMachLines();
    void paintsExtremeFlows_data();
    void paintsExtremeFlows();
};

void PictureBoxTest::coloursAreBlueGreenRed_data() {
    QTest::addColumn<Colour>("colour");
    QTest::addColumn<QColor>("qt");
    QTest::newRow("red") << colours::red << QColor(255, 0, 0);
    QTest::newRow("blue") << colours::blue << QColor(0, 0, 255);
    QTest::newRow("light yellow") << colours::lightYellow << QColor(255, 255, 192);
}

void PictureBoxTest::coloursAreBlueGreenRed() {
    QFETCH(Colour, colour);
    QFETCH(QColor, qt);
    QCOMPARE(toQColor(colour), qt);
}

void PictureBoxTest::boxShowsBareBackgroundAfterClear() {
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

void PictureBoxTest::boxShowsLinesInTheirColours() {
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

void PictureBoxTest::rendersWallStreamlinesAndMachLines() {
    const double sqrt3 = std::sqrt(3.0);
    PictureBox box;
    box.resize(404, 204);
    akım_çiz(loadedState(sqrt3, 0.1), box);
    const QImage image = box.grab(box.contentsRect()).toImage();
    // The pixel in which the point falls as the plot hands it over, narrowed
    // to single precision: the wall's crest at y = -0.1 lies on a row's edge.
    const auto colourAt = [&](double x, double y) {
        const UnitPoint p = UserScale::fromCorners(-0.2, -1.8, 3.8, 0.2)
                                .toUnit(static_cast<float>(x), static_cast<float>(y));
        return image.pixel(static_cast<int>(p.u * 400), static_cast<int>(p.v * 200)) & 0xFFFFFFu;
    };
    // The wall's crest at x = 1 and its trough at x = 1.5.
    QCOMPARE(colourAt(1.0, -0.1), qRgb(255, 0, 0) & 0xFFFFFFu);
    QCOMPARE(colourAt(1.5, 0.1), qRgb(255, 0, 0) & 0xFFFFFFu);
    // Streamline 4 at x = 0.2 along the wall: lifted by 0.75 and shifted by
    // Beta * 0.75, away from the Mach lines, which it meets at quarter waves.
    QCOMPARE(colourAt(0.2 + 0.75 * sqrt3, -(0.75 + 0.1 * std::cos(0.4 * M_PI))),
             qRgb(0, 0, 255) & 0xFFFFFFu);
    // The first Mach line between the wall and the lowest streamline.
    QCOMPARE(colourAt(0.1 * sqrt3, -0.2), qRgb(0, 255, 0) & 0xFFFFFFu);
}

void PictureBoxTest::paintsExtremeFlows_data() {
    QTest::addColumn<double>("Beta");
    QTest::addColumn<double>("H");
    QTest::newRow("Mach 1e30") << 1e30 << 0.01;
    QTest::newRow("height 1e30") << std::sqrt(3.0) << 1e30;
    QTest::newRow("beyond float") << 1e100 << 1e100;
}

// The core keeps only the visible pieces of an extreme picture (the core's
// own tests check which); the box paints what it keeps.
void PictureBoxTest::paintsExtremeFlows() {
    QFETCH(double, Beta);
    QFETCH(double, H);
    PictureBox box;
    box.resize(404, 204);
    akım_çiz(loadedState(Beta, H), box);
    QVERIFY(!box.grab().isNull());
}

QTEST_MAIN(PictureBoxTest)
#include "tst_picturebox.moc"
