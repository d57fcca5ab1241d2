// What the program draws, pinned against the plain way of drawing it: the
// flow picture against its construction computed step by step, bit for bit,
// and the plot boxes' pixels against painting every line on its own, both
// for a whole paint and for the repaint that follows a recalculation.
#include "canvas/picturebox.h"
#include "canvas/userscale.h"
#include "model/flowplot.h"
#include "model/pressureplot.h"
#include "support.h"
#include "ui/form1.h"
#include "ui/form1layout.h"
#include "ui/titlelabel.h"

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <bit>
#include <cmath>
#include <vector>

using namespace wavywall;
using wavywall::testing::loadedState;
using wavywall::testing::MessageLog;

namespace {

const double sqrt3 = std::sqrt(std::pow(2.0, 2) - 1);

void line(std::vector<RecordedLine> &lines, double x1, double y1, double x2, double y2,
          Colour colour) {
    lines.push_back({toSingle(x1), toSingle(y1), toSingle(x2), toSingle(y2), colour});
}

// The flow picture as its construction reads: every point computed where
// the construction computes it, the cosine of each streamline point anew.
std::vector<RecordedLine> flowPictureStepByStep(const FlowState &f) {
    std::vector<RecordedLine> lines;
    line(lines, 0, 0, 2, 0, colours::grey);
    line(lines, 0, -2, 0, f.H, colours::grey);
    for (int k = 0; k <= 8; ++k) {
        const double x0 = k * 0.25;
        const double y0 = f.H * std::cos(f.TwoPi * x0);
        const double c = x0 - f.Beta * y0;
        line(lines, x0, -y0, c + f.Beta * 2, -2.0, colours::green);
    }
    double Xs[101][21];
    double Ys[101][21];
    for (int i = 0; i <= f.N; ++i) {
        const double x = static_cast<double>(i) / f.N * 2 * f.L;
        Xs[i][0] = x;
        Ys[i][0] = f.H * std::cos(2 * f.Pi / f.L * x);
    }
    for (int i = 0; i <= f.N; ++i) {
        for (int j = 1; j <= 8; ++j) {
            const double x = static_cast<double>(i) / f.N * 2 * f.L;
            const double h = static_cast<double>(j) / 8 * 1.5;
            Ys[i][j] = h + f.H * std::cos(2 * f.Pi / f.L * x);
            Xs[i][j] = x + f.Beta * (Ys[i][j] - Ys[i][0]);
        }
    }
    for (int j = 0; j <= 8; ++j) {
        for (int i = 1; i <= f.N; ++i) {
            line(lines, Xs[i - 1][j], -Ys[i - 1][j], Xs[i][j], -Ys[i][j],
                 j == 0 ? colours::red : colours::blue);
        }
    }
    return lines;
}

std::array<std::uint32_t, 5> bitsOf(const RecordedLine &l) {
    return {std::bit_cast<std::uint32_t>(l.x1), std::bit_cast<std::uint32_t>(l.y1),
            std::bit_cast<std::uint32_t>(l.x2), std::bit_cast<std::uint32_t>(l.y2), l.colour};
}

// A plot box as the plain way paints it: its frame, its background, then
// each line of the display list alone, each with a pen of its own.
class LineByLineBox final : public QFrame {
public:
    explicit LineByLineBox(const PictureBox &shown)
        : m_shown(shown) {
        setFrameStyle(shown.frameStyle());
        setLineWidth(shown.lineWidth());
        setAutoFillBackground(true);
        resize(shown.size());
    }

protected:
    void paintEvent(QPaintEvent *event) override {
        QFrame::paintEvent(event);
        QPainter painter(this);
        const QRect inner = contentsRect();
        painter.setClipRect(inner);
        painter.fillRect(inner, toQColor(colours::lightYellow));
        const auto at = [&](UnitPoint p) {
            return QPointF(inner.left() + p.u * inner.width(), inner.top() + p.v * inner.height());
        };
        for (const PictureBox::PlotLine &l : m_shown.displayList()) {
            painter.setPen(QPen(toQColor(l.colour), 1, Qt::SolidLine, Qt::FlatCap));
            painter.drawLine(QLineF(at(l.line.from), at(l.line.to)));
        }
    }

private:
    const PictureBox &m_shown;
};

// Pixels that a box leaves unpainted keep the image's magenta.
QImage rendered(QWidget &widget, int dpr) {
    QImage image(widget.size() * dpr, QImage::Format_RGB32);
    image.fill(Qt::magenta);
    image.setDevicePixelRatio(dpr);
    widget.render(&image);
    return image;
}

} // namespace

class DrawnOutputTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void flowPictureIsItsConstruction_data();
    void flowPictureIsItsConstruction();
    void insideLinesKeepTheirEndPoints_data();
    void insideLinesKeepTheirEndPoints();
    void boxPaintsEachLineAsDrawnAlone_data();
    void boxPaintsEachLineAsDrawnAlone();
    void titleCopiesWhatItPaints_data();
    void titleCopiesWhatItPaints();
    void repaintAfterRecalculationShowsWholePicture();
};

void DrawnOutputTest::flowPictureIsItsConstruction_data() {
    QTest::addColumn<double>("Beta");
    QTest::addColumn<double>("H");
    QTest::newRow("default inputs") << std::sqrt(std::pow(1.01, 2) - 1) << 0.01;
    QTest::newRow("Mach 2, tall wave") << sqrt3 << 0.2;
    QTest::newRow("Mach one") << 0.0 << 0.01;
    QTest::newRow("flat wall") << 1.0 << 0.0;
    QTest::newRow("negative height") << 0.75 << -0.15;
    QTest::newRow("huge Beta") << 1e30 << 0.01;
    QTest::newRow("height beyond float") << sqrt3 << 1e100;
}

void DrawnOutputTest::flowPictureIsItsConstruction() {
    QFETCH(double, Beta);
    QFETCH(double, H);
    const FlowState flow = loadedState(Beta, H);
    RecordingCanvas canvas;
    akım_çiz(flow, canvas);
    const std::vector<RecordedLine> expected = flowPictureStepByStep(flow);
    QCOMPARE(canvas.lines().size(), expected.size());
    for (std::size_t n = 0; n < expected.size(); ++n) {
        QVERIFY2(bitsOf(canvas.lines()[n]) == bitsOf(expected[n]),
                 qPrintable(QStringLiteral("line %1").arg(n)));
    }
}

void DrawnOutputTest::insideLinesKeepTheirEndPoints_data() {
    QTest::addColumn<QLineF>("line");
    QTest::newRow("interior") << QLineF(0.1, 0.2, 0.7, 0.9);
    QTest::newRow("corner to corner") << QLineF(0, 0, 1, 1);
    QTest::newRow("along the top edge") << QLineF(1, 0, 0, 0);
    QTest::newRow("a single point") << QLineF(0.5, 0.5, 0.5, 0.5);
    QTest::newRow("negative zero") << QLineF(-0.0, 0.25, 0.5, -0.0);
    QTest::newRow("one ulp inside") << QLineF(std::nextafter(1.0, 0.0), 0.5, 0.5, 1e-300);
}

// A line wholly inside the drawing area is kept as it was drawn, to the bit.
void DrawnOutputTest::insideLinesKeepTheirEndPoints() {
    QFETCH(QLineF, line);
    const UnitLine unit{{line.x1(), line.y1()}, {line.x2(), line.y2()}};
    const auto kept = clipToUnitSquare(unit);
    QVERIFY(kept);
    const auto bits = [](const UnitLine &l) {
        return std::array<std::uint64_t, 4>{
            std::bit_cast<std::uint64_t>(l.from.u), std::bit_cast<std::uint64_t>(l.from.v),
            std::bit_cast<std::uint64_t>(l.to.u), std::bit_cast<std::uint64_t>(l.to.v)};
    };
    QCOMPARE(bits(*kept), bits(unit));
}

void DrawnOutputTest::boxPaintsEachLineAsDrawnAlone_data() {
    QTest::addColumn<bool>("flowPicture");
    QTest::addColumn<double>("Beta");
    QTest::addColumn<double>("H");
    QTest::addColumn<int>("dpr");
    for (const int dpr : {1, 2}) {
        const auto row = [dpr](const char *name) -> QTestData & {
            return QTest::addRow("%s, device pixel ratio %d", name, dpr);
        };
        row("flow, default inputs") << true << std::sqrt(std::pow(1.01, 2) - 1) << 0.01 << dpr;
        row("flow, Mach 2, tall wave") << true << sqrt3 << 0.2 << dpr;
        row("flow, Mach one") << true << 0.0 << 0.1 << dpr;
        row("flow, lines beyond float") << true << 1e100 << 1e100 << dpr;
        row("pressure, default inputs") << false << std::sqrt(std::pow(1.01, 2) - 1) << 0.01 << dpr;
        row("pressure, Mach 2, tall wave") << false << sqrt3 << 0.2 << dpr;
    }
}

void DrawnOutputTest::boxPaintsEachLineAsDrawnAlone() {
    QFETCH(bool, flowPicture);
    QFETCH(double, Beta);
    QFETCH(double, H);
    QFETCH(int, dpr);
    const double dotsPerInch = 96;
    PictureBox box;
    const FlowState flow = loadedState(Beta, H);
    MessageLog messages;
    if (flowPicture) {
        box.resize(toPixels(form1layout::Picture_Akım, dotsPerInch).size());
        akım_çiz(flow, box);
    } else {
        box.resize(toPixels(form1layout::Picture_basınç, dotsPerInch).size());
        basınç_çiz(flow, box, messages);
    }
    QVERIFY(!box.displayList().empty());
    LineByLineBox plain(box);
    const QImage image = rendered(box, dpr);
    QCOMPARE(image, rendered(plain, dpr));
    // Every pixel of the box is painted, frame included.
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            QVERIFY2(image.pixel(x, y) != QColor(Qt::magenta).rgb(),
                     qPrintable(QStringLiteral("unpainted at %1, %2").arg(x).arg(y)));
        }
    }
}

void DrawnOutputTest::titleCopiesWhatItPaints_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("dpr");
    for (const int dpr : {1, 2}) {
        QTest::addRow("flow title, device pixel ratio %d", dpr) << u"Label3"_qs << dpr;
        QTest::addRow("pressure title, device pixel ratio %d", dpr) << u"Label4"_qs << dpr;
    }
}

// A plot title repainted from its picture shows what painting its text
// showed, to the pixel.
void DrawnOutputTest::titleCopiesWhatItPaints() {
    QFETCH(QString, name);
    QFETCH(int, dpr);
    Form1 form;
    auto *title = form.findChild<TitleLabel *>(name);
    QVERIFY(title);
    QVERIFY(!title->pictured());
    const QImage painted = rendered(*title, dpr);
    QCoreApplication::processEvents();
    QVERIFY(title->pictured());
    QCOMPARE(rendered(*title, dpr), painted);
}

// The screen after a recalculation, repainted as little as the program
// chooses, is what painting the whole window anew shows.
void DrawnOutputTest::repaintAfterRecalculationShowsWholePicture() {
    Form1 form;
    form.setMessageFunction([](const QString &) {});
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    auto *button = form.findChild<QPushButton *>(u"Command1"_qs);
    auto *moo = form.findChild<QLineEdit *>(u"Text_Moo"_qs);
    auto *hbl = form.findChild<QLineEdit *>(u"Text_HbL"_qs);
    QVERIFY(button && moo && hbl);
    button->click();
    moo->setText(u"2"_qs);
    hbl->setText(u"0.2"_qs);
    QCoreApplication::processEvents();
    button->click();
    const auto onScreen = [&] {
        return form.screen()
            ->grabWindow(form.winId())
            .toImage()
            .convertToFormat(QImage::Format_RGB32);
    };
    const QImage whole = form.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QTRY_COMPARE(onScreen(), whole);
}

QTEST_MAIN(DrawnOutputTest)
#include "tst_drawnoutput.moc"
