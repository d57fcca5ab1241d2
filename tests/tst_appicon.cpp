// The program's icon: drawn from the compiled-in picture at every size a
// window manager asks for, and showing the wall, a streamline and a Mach line
// on the plot boxes' light yellow.
#include "ui/appicon.h"

#include <QApplication>
#include <QColor>
#include <QImage>
#include <QTest>

#include <cstdlib>

using namespace wavywall;

namespace {
// Antialiasing may soften a colour a little even inside a line.
bool near(QColor actual, QColor expected) {
    const int tolerance = 40;
    return std::abs(actual.red() - expected.red()) <= tolerance &&
           std::abs(actual.green() - expected.green()) <= tolerance &&
           std::abs(actual.blue() - expected.blue()) <= tolerance &&
           std::abs(actual.alpha() - expected.alpha()) <= tolerance;
}
} // namespace

class AppIconTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void offersEachSize_data();
    void offersEachSize();
    void showsTheFlowPicture_data();
    void showsTheFlowPicture();
};

void AppIconTest::offersEachSize_data() {
    QTest::addColumn<int>("size");
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256})
        QTest::addRow("%d px", size) << size;
}

void AppIconTest::offersEachSize() {
    QFETCH(int, size);
    const QIcon icon = appIcon();
    QVERIFY(!icon.isNull());
    QVERIFY(icon.availableSizes().contains(QSize(size, size)));
    QCOMPARE(icon.pixmap(QSize(size, size)).size(), QSize(size, size));
}

void AppIconTest::showsTheFlowPicture_data() {
    // Pixels of the 64 px picture, which is drawn at one pixel per unit.
    QTest::addColumn<QPoint>("pixel");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("transparent outside the rounded tile") << QPoint(0, 0) << QColor(0, 0, 0, 0);
    QTest::newRow("transparent beyond the rounded bottom corner")
        << QPoint(3, 61) << QColor(0, 0, 0, 0);
    QTest::newRow("light yellow sky") << QPoint(8, 8) << QColor(255, 255, 192);
    QTest::newRow("red wall") << QPoint(32, 58) << QColor(224, 32, 16);
    QTest::newRow("blue streamline at its crest") << QPoint(17, 16) << QColor(0, 64, 224);
    QTest::newRow("green Mach line") << QPoint(38, 30) << QColor(0, 128, 0);
}

void AppIconTest::showsTheFlowPicture() {
    QFETCH(QPoint, pixel);
    QFETCH(QColor, colour);
    const QImage image = appIcon().pixmap(QSize(64, 64)).toImage();
    QCOMPARE(image.size(), QSize(64, 64));
    const QColor actual = image.pixelColor(pixel);
    QVERIFY2(near(actual, colour), qPrintable(actual.name(QColor::HexArgb)));
}

QTEST_MAIN(AppIconTest)
#include "tst_appicon.moc"
