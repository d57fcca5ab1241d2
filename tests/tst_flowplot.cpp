// The flow picture: the Mach lines, the wall and the streamlines, in their
// order and colours, for ordinary, limiting and extreme flows.
#include "ui/picturebox.h"
#include "model/flowplot.h"
#include "tests/support/fakes.h"
#include "tests/support/qtstrings.h"

#include <QImage>
#include <QTest>

#include <cmath>

using namespace wavywall;
using wavywall::testing::loadedState;

namespace {
const double sqrt3 = std::sqrt(std::pow(2.0, 2) - 1);

RecordingCanvas drawn(const FlowState &flow) {
    RecordingCanvas canvas;
    akım_çiz(flow, canvas);
    return canvas;
}

bool near(float actual, double expected, double tolerance = 5e-5) {
    return std::abs(actual - expected) <= tolerance;
}

bool lineIs(const RecordedLine &l, double x1, double y1, double x2, double y2) {
    return near(l.x1, x1) && near(l.y1, y1) && near(l.x2, x2) && near(l.y2, y2);
}

QString describe(const RecordedLine &l) {
    return QStringLiteral("(%1, %2)-(%3, %4)").arg(l.x1).arg(l.y1).arg(l.x2).arg(l.y2);
}

constexpr std::size_t machLine(int k) {
    return 2 + static_cast<std::size_t>(k);
}
constexpr std::size_t wallSegment(int i) {
    return 11 + static_cast<std::size_t>(i);
}
constexpr std::size_t streamlineSegment(int j, int i) {
    return 111 + static_cast<std::size_t>(j - 1) * 100 + static_cast<std::size_t>(i);
}
} // namespace

class FlowPlotTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void drawsLinesInFixedOrder_data();
    void drawsLinesInFixedOrder();
    void machTwoPicture();
    void machOneHasVerticalMachLines();
    void flatWallHasStraightStreamlines();
    void streamlinesStartDownstreamOfWall();
    void extremeFlowsStayOnTheirLines_data();
    void extremeFlowsStayOnTheirLines();
    void rendersWallStreamlinesAndMachLines();
};

void FlowPlotTest::drawsLinesInFixedOrder_data() {
    QTest::addColumn<double>("Beta");
    QTest::addColumn<double>("H");
    QTest::newRow("default inputs") << std::sqrt(std::pow(1.01, 2) - 1) << 0.01;
    QTest::newRow("Mach 2, tall wave") << sqrt3 << 0.2;
    QTest::newRow("Mach one") << 0.0 << 0.1;
    QTest::newRow("flat wall") << 1.0 << 0.0;
    QTest::newRow("negative height") << 1.0 << -0.1;
    QTest::newRow("huge Beta") << 1e30 << 0.01;
}

void FlowPlotTest::drawsLinesInFixedOrder() {
    QFETCH(double, Beta);
    QFETCH(double, H);
    const RecordingCanvas canvas = drawn(loadedState(Beta, H));
    using Op = RecordingCanvas::Op;
    QCOMPARE(canvas.operations().size(), 913u);
    QCOMPARE(canvas.operations()[0], Op::Cls);
    QCOMPARE(canvas.operations()[1], Op::Scale);
    const RecordedScale s = canvas.scales().front();
    QCOMPARE(QList<double>({s.x1, s.y1, s.x2, s.y2}), QList<double>({-0.2, -1.8, 3.8, 0.2}));
    const auto &lines = canvas.lines();
    QCOMPARE(lines.size(), 911u);
    for (std::size_t n = 0; n < lines.size(); ++n) {
        const Colour expected = n < 2     ? colours::grey
                                : n < 11  ? colours::green
                                : n < 111 ? colours::red
                                          : colours::blue;
        QCOMPARE(lines[n].colour, expected);
    }
    QVERIFY(lineIs(lines[0], 0, 0, 2, 0));
    QCOMPARE(lines[1].y2, static_cast<float>(H));
    QVERIFY(lineIs(lines[1], 0, -2, 0, H));
    QCOMPARE(lines[machLine(8)].x1, 2.0f);
}

void FlowPlotTest::machTwoPicture() {
    const RecordingCanvas canvas = drawn(loadedState(sqrt3, 0.1));
    const auto &lines = canvas.lines();
    QVERIFY2(lineIs(lines[machLine(0)], 0, -0.1, 3.2909, -2), qPrintable(describe(lines[2])));
    QVERIFY2(lineIs(lines[machLine(2)], 0.5, 0.1, 4.1373, -2), qPrintable(describe(lines[4])));
    QVERIFY(near(lines[streamlineSegment(8, 0)].x1, 2.5981) &&
            near(lines[streamlineSegment(8, 0)].y1, -1.6));
    QVERIFY2(near(lines[streamlineSegment(8, 99)].x2, 4.5981) &&
                 near(lines[streamlineSegment(8, 99)].y2, -1.6),
             qPrintable(describe(lines[streamlineSegment(8, 99)])));
    // Streamline 8 leaves the picture at its right edge.
    QVERIFY(lines[streamlineSegment(8, 99)].x2 > 3.8f);
    QVERIFY(lines[streamlineSegment(8, 0)].x1 < 3.8f);
}

void FlowPlotTest::machOneHasVerticalMachLines() {
    const FlowState flow = loadedState(0, 0.1);
    const RecordingCanvas canvas = drawn(flow);
    for (int k = 0; k <= 8; ++k) {
        const RecordedLine &l = canvas.lines()[machLine(k)];
        QCOMPARE(l.x1, static_cast<float>(k * 0.25));
        QCOMPARE(l.x2, l.x1);
        QCOMPARE(l.y2, -2.0f);
    }
    const StreamlineTables t = streamlineTables(flow);
    for (int i = 0; i <= 100; ++i) {
        for (int j = 1; j <= streamlineCount; ++j) {
            QCOMPARE(t.Xs[i][j], t.Xs[i][0]);
        }
    }
}

void FlowPlotTest::flatWallHasStraightStreamlines() {
    const double Beta = 1.11803398875;
    const RecordingCanvas canvas = drawn(loadedState(Beta, 0));
    const auto &lines = canvas.lines();
    QCOMPARE(lines[1].y2, 0.0f);
    for (int k = 0; k <= 8; ++k) {
        QVERIFY(lineIs(lines[machLine(k)], k * 0.25, 0, k * 0.25 + 2 * Beta, -2));
    }
    for (int i = 0; i < 100; ++i) {
        QCOMPARE(lines[wallSegment(i)].y1, 0.0f);
        QCOMPARE(lines[wallSegment(i)].y2, 0.0f);
    }
    QVERIFY(near(lines[wallSegment(0)].x1, 0) && near(lines[wallSegment(99)].x2, 2));
    for (int j = 1; j <= streamlineCount; ++j) {
        const double h = j / 8.0 * 1.5;
        for (int i = 0; i < 100; ++i) {
            QCOMPARE(lines[streamlineSegment(j, i)].y1, static_cast<float>(-h));
            QCOMPARE(lines[streamlineSegment(j, i)].y2, static_cast<float>(-h));
        }
        QVERIFY(near(lines[streamlineSegment(j, 0)].x1, Beta * h));
        QVERIFY(near(lines[streamlineSegment(j, 99)].x2, 2 + Beta * h));
    }
}

void FlowPlotTest::streamlinesStartDownstreamOfWall() {
    for (const double H : {0.01, 0.2, -0.15}) {
        const double Beta = 0.75;
        const StreamlineTables t = streamlineTables(loadedState(Beta, H));
        QCOMPARE(t.Xs[0][0], 0.0);
        QCOMPARE(t.Ys[0][0], H);
        QCOMPARE(t.Ys[0][8], 1.5 + H);
        QVERIFY(std::abs(t.Xs[0][8] - 1.5 * Beta) < 1e-15);
    }
}

void FlowPlotTest::extremeFlowsStayOnTheirLines_data() {
    QTest::addColumn<double>("Beta");
    QTest::addColumn<double>("H");
    QTest::newRow("Mach 1e30") << 1e30 << 0.01;
    QTest::newRow("height 1e30") << sqrt3 << 1e30;
    QTest::newRow("beyond float") << 1e100 << 1e100;
}

// What a plot box keeps of an extreme picture is the visible part of the
// lines the plot drew, never a line the plot did not draw.
void FlowPlotTest::extremeFlowsStayOnTheirLines() {
    QFETCH(double, Beta);
    QFETCH(double, H);
    const FlowState flow = loadedState(Beta, H);
    PictureBox box;
    box.resize(404, 204);
    RecordingCanvas canvas;
    akım_çiz(flow, canvas);
    akım_çiz(flow, box);
    QVERIFY(box.displayList().size() <= canvas.lines().size());
    const UserScale scale = UserScale::fromCorners(-0.2, -1.8, 3.8, 0.2);
    for (const PictureBox::PlotLine &kept : box.displayList()) {
        bool onADrawnLine = false;
        for (const RecordedLine &l : canvas.lines()) {
            if (l.colour != kept.colour) {
                continue;
            }
            const UnitPoint a = scale.toUnit(l.x1, l.y1);
            const UnitPoint b = scale.toUnit(l.x2, l.y2);
            const auto clipped = clipToUnitSquare({a, b});
            if (clipped && clipped->from == kept.line.from && clipped->to == kept.line.to) {
                onADrawnLine = true;
                break;
            }
        }
        QVERIFY(onADrawnLine);
        for (const UnitPoint p : {kept.line.from, kept.line.to}) {
            QVERIFY(p.u >= -1e-9 && p.u <= 1 + 1e-9 && p.v >= -1e-9 && p.v <= 1 + 1e-9);
        }
    }
    QVERIFY(!box.grab().isNull());
}

void FlowPlotTest::rendersWallStreamlinesAndMachLines() {
    PictureBox box;
    box.resize(404, 204);
    akım_çiz(loadedState(sqrt3, 0.1), box);
    const QImage image = box.grab(box.contentsRect()).toImage();
    const auto colourAt = [&](double x, double y) {
        const UnitPoint p = UserScale::fromCorners(-0.2, -1.8, 3.8, 0.2).toUnit(x, y);
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

QTEST_MAIN(FlowPlotTest)
#include "tst_flowplot.moc"
