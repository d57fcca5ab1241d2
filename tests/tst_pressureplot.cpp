// The wall pressure coefficient: its values, the colours by sign, and the
// refusal at Mach one.
#include "model/pressureplot.h"
#include "tests/support/fakes.h"
#include "tests/support/qtstrings.h"

#include <QTest>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

using namespace wavywall;
using wavywall::testing::agrees12;
using wavywall::testing::loadedState;
using wavywall::testing::MessageLog;

namespace {
// Beta and H of the default inputs, Moo = 1.01 and H/L = 0.01.
const double defaultBeta = std::sqrt(std::pow(1.01, 2) - 1);
constexpr double defaultH = 0.01;
} // namespace

class PressurePlotTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void defaultInputsGiveTextbookValues();
    void extremesLieAtQuarterWaves_data();
    void extremesLieAtQuarterWaves();
    void zeroCrossingsFollowComputedSine();
    void coloursFollowSignOfEndPoint_data();
    void coloursFollowSignOfEndPoint();
    void drawsAxesThenCurveFromTables();
    void flatWallLiesOnAxisInRed();
    void machOneDrawsAxesAndRefuses();
};

void PressurePlotTest::defaultInputsGiveTextbookValues() {
    const FlowState flow = loadedState(defaultBeta, defaultH);
    QVERIFY(agrees12(flow.Beta, 0.141774468788));
    const double factor = -4 * flow.Pi * flow.H / (flow.L * flow.Beta);
    QVERIFY(agrees12(factor, -0.886363442009));
    const PressureTables t = pressureTables(flow);
    QCOMPARE(t.Xw[10], 0.2);
    QVERIFY2(agrees12(t.Cp[10], -0.842981727329), qPrintable(QString::number(t.Cp[10], 'g', 17)));
    QCOMPARE(t.Xw[100], 2.0);
}

void PressurePlotTest::extremesLieAtQuarterWaves_data() {
    QTest::addColumn<bool>("minimum");
    QTest::addColumn<QList<int>>("where");
    QTest::newRow("expansion peaks") << true << QList<int>{12, 13, 62, 63};
    QTest::newRow("compression peaks") << false << QList<int>{37, 38, 87, 88};
}

void PressurePlotTest::extremesLieAtQuarterWaves() {
    QFETCH(bool, minimum);
    QFETCH(QList<int>, where);
    const PressureTables t = pressureTables(loadedState(defaultBeta, defaultH));
    const auto extreme = minimum ? *std::min_element(t.Cp.begin(), t.Cp.end())
                                 : *std::max_element(t.Cp.begin(), t.Cp.end());
    QVERIFY(agrees12(extreme, minimum ? -0.884614406227 : 0.884614406227));
    for (int i = 0; i <= 100; ++i) {
        const bool isExtreme = agrees12(t.Cp[i], extreme);
        QCOMPARE(isExtreme, where.contains(i));
    }
}

void PressurePlotTest::zeroCrossingsFollowComputedSine() {
    const PressureTables t = pressureTables(loadedState(defaultBeta, defaultH));
    QCOMPARE(t.Xw[25], 0.5);
    QVERIFY(t.Cp[25] < 0 && t.Cp[25] > -1e-15);
    QVERIFY(t.Cp[75] < 0 && t.Cp[75] > -1e-15);
    QVERIFY(t.Cp[50] > 0 && t.Cp[50] < 1e-15);
    QVERIFY(t.Cp[100] > 0 && t.Cp[100] < 1e-15);
    QVERIFY(t.Cp[0] == 0 && std::signbit(t.Cp[0]));
}

void PressurePlotTest::coloursFollowSignOfEndPoint_data() {
    QTest::addColumn<double>("H");
    QTest::addColumn<Colour>("firstQuarter");
    QTest::addColumn<Colour>("secondQuarter");
    QTest::newRow("crest at the start") << defaultH << colours::blue << colours::red;
    QTest::newRow("negative height swaps") << -defaultH << colours::red << colours::blue;
    QTest::newRow("tall wave") << 0.2 << colours::blue << colours::red;
}

// Segments 1..25 and 51..75 take one colour, 26..50 and 76..100 the other.
void PressurePlotTest::coloursFollowSignOfEndPoint() {
    QFETCH(double, H);
    QFETCH(Colour, firstQuarter);
    QFETCH(Colour, secondQuarter);
    RecordingCanvas canvas;
    MessageLog messages;
    basınç_çiz(loadedState(defaultBeta, H), canvas, messages);
    QCOMPARE(canvas.lines().size(), 102u);
    int counts[2] = {0, 0};
    for (int segment = 1; segment <= 100; ++segment) {
        const Colour colour = canvas.lines()[static_cast<std::size_t>(segment) + 1].colour;
        const bool inFirst = (segment - 1) % 50 < 25;
        QCOMPARE(colour, inFirst ? firstQuarter : secondQuarter);
        ++counts[colour == colours::red ? 0 : 1];
    }
    QCOMPARE(counts[0], 50);
    QCOMPARE(counts[1], 50);
    QVERIFY(messages.shown.empty());
}

void PressurePlotTest::drawsAxesThenCurveFromTables() {
    const FlowState flow = loadedState(defaultBeta, defaultH);
    RecordingCanvas canvas;
    MessageLog messages;
    basınç_çiz(flow, canvas, messages);
    using Op = RecordingCanvas::Op;
    QCOMPARE(canvas.operations().front(), Op::Cls);
    QCOMPARE(canvas.operations()[1], Op::Scale);
    const RecordedScale scale = canvas.scales().front();
    QCOMPARE(QList<double>({scale.x1, scale.y1, scale.x2, scale.y2}),
             QList<double>({-0.2, -5.5, 3.8, 5.5}));
    const auto &lines = canvas.lines();
    const RecordedLine xAxis{0, 0, 2, 0, colours::grey};
    const RecordedLine cpAxis{0, -1.5f, 0, 1.5f, colours::grey};
    for (const auto &[line, expected] : {std::pair{lines[0], xAxis}, std::pair{lines[1], cpAxis}}) {
        QCOMPARE(line.colour, expected.colour);
        QCOMPARE(QList<float>({line.x1, line.y1, line.x2, line.y2}),
                 QList<float>({expected.x1, expected.y1, expected.x2, expected.y2}));
    }
    const PressureTables t = pressureTables(flow);
    const RecordedLine &first = lines[2];
    QVERIFY(first.x1 == 0 && first.y1 == 0);
    QCOMPARE(first.y2, static_cast<float>(-t.Cp[1]));
    float rightmost = 0;
    for (const RecordedLine &line : lines) {
        rightmost = std::max({rightmost, line.x1, line.x2});
    }
    QCOMPARE(rightmost, 2.0f);
    QCOMPARE(lines.back().y2, static_cast<float>(-t.Cp[100]));
}

void PressurePlotTest::flatWallLiesOnAxisInRed() {
    RecordingCanvas canvas;
    MessageLog messages;
    basınç_çiz(loadedState(defaultBeta, 0), canvas, messages);
    QCOMPARE(canvas.lines().size(), 102u);
    for (std::size_t i = 2; i < canvas.lines().size(); ++i) {
        QCOMPARE(canvas.lines()[i].colour, colours::red);
        QCOMPARE(canvas.lines()[i].y1, 0.0f);
        QCOMPARE(canvas.lines()[i].y2, 0.0f);
    }
}

void PressurePlotTest::machOneDrawsAxesAndRefuses() {
    RecordingCanvas canvas;
    MessageLog messages;
    basınç_çiz(loadedState(0, defaultH), canvas, messages);
    QCOMPARE(canvas.lines().size(), 2u);
    QCOMPARE(canvas.lines()[0].colour, colours::grey);
    QCOMPARE(canvas.lines()[1].colour, colours::grey);
    QCOMPARE(testing::qstrList(messages.shown), QStringList{u" Moo=1 için teori geçersiz"_s});
}

QTEST_GUILESS_MAIN(PressurePlotTest)
#include "tst_pressureplot.moc"
