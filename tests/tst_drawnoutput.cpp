// What the plot boxes show, pinned against the core's painter: a plain frame
// around the very bytes the painter makes of the box's display list (those
// the web page shows), both for a whole paint and for the repaint that
// follows a recalculation.
#include "canvas/rasteriser.h"
#include "model/flowplot.h"
#include "model/pressureplot.h"
#include "tests/support/fakes.h"
#include "tests/support/windowrig.h"
#include "ui/layouttable.h"
#include "ui/plotfiles.h"

#include <QAction>
#include <QBackingStore>
#include <QLabel>
#include <QPainter>
#include <QScrollBar>

using namespace Qt::StringLiterals;

using namespace wavywall;
using wavywall::MessageList;
using wavywall::testing::loadedState;
using wavywall::testing::rendered;

namespace {

const double sqrt3 = std::sqrt(std::pow(2.0, 2) - 1);

// A plot box's frame as a plain frame paints it, around an empty drawing area.
class PlainFrame final : public QFrame {
public:
    explicit PlainFrame(const PictureBox &shown) {
        setFrameStyle(shown.frameStyle());
        setLineWidth(shown.lineWidth());
        setAutoFillBackground(true);
        resize(shown.size());
    }
};

// The frame with the core's pixels of a display list laid into its drawing
// area, one pixel a device pixel.
QImage coreImage(const PictureBox &box, const DisplayList &list, int dpr) {
    PlainFrame frame(box);
    QImage image = rendered(frame, dpr);
    const QRect inner = box.contentsRect();
    const QRect area(inner.topLeft() * dpr, inner.size() * dpr);
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(area.width() * area.height()));
    Rasteriser().paint({pixels.data(), area.width(), area.height(), area.width()}, dpr, {&list});
    for (int y = 0; y < area.height(); ++y) {
        for (int x = 0; x < area.width(); ++x) {
            const std::uint32_t p = pixels[static_cast<std::size_t>(y * area.width() + x)];
            image.setPixel(area.left() + x, area.top() + y,
                           qRgb(static_cast<int>(p & 0xFF), static_cast<int>((p >> 8) & 0xFF),
                                static_cast<int>((p >> 16) & 0xFF)));
        }
    }
    return image;
}

} // namespace

class DrawnOutputTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void boxShowsTheCorePaintersPixels_data();
    void boxShowsTheCorePaintersPixels();
    void titleLooksLikeAPlainLabel_data();
    void titleLooksLikeAPlainLabel();
    void repaintAfterRecalculationShowsWholePicture();
};

void DrawnOutputTest::boxShowsTheCorePaintersPixels_data() {
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

void DrawnOutputTest::boxShowsTheCorePaintersPixels() {
    QFETCH(bool, flowPicture);
    QFETCH(double, Beta);
    QFETCH(double, H);
    QFETCH(int, dpr);
    const double dotsPerInch = 96;
    PictureBox box;
    DisplayList list;
    const FlowState flow = loadedState(Beta, H);
    MessageList messages;
    if (flowPicture) {
        box.resize(toPixels(windows::Form1::Picture_Akım::twips, dotsPerInch).size());
        akım_çiz(flow, box);
        akım_çiz(flow, list);
    } else {
        box.resize(toPixels(windows::Form1::Picture_basınç::twips, dotsPerInch).size());
        basınç_çiz(flow, box, messages);
        basınç_çiz(flow, list, messages);
    }
    QVERIFY(!box.displayList().empty());
    const QImage image = rendered(box, dpr);
    QCOMPARE(image, coreImage(box, list, dpr));
    // The PNG file shows the same pixels, but for its title label.
    const Plot plot = flowPicture ? Plot::flow : Plot::pressure;
    const QImage png = renderPlot(plot, box.shownLines(), dpr);
    const PictureFrame f = pictureFrame(plot);
    const QRectF title(f.titleLeft * dpr, f.titleTop * dpr, f.titleWidth * dpr,
                       f.titleHeight * dpr);
    const QPoint at = box.contentsRect().topLeft() * dpr;
    int differing = 0;
    for (int y = 0; y < box.contentsRect().height() * dpr; ++y) {
        for (int x = 0; x < box.contentsRect().width() * dpr; ++x) {
            const bool shown = !title.adjusted(-1, -1, 1, 1).contains(QPointF(x, y));
            differing += shown && png.pixel(x, y) != image.pixel(at.x() + x, at.y() + y);
        }
    }
    QCOMPARE(differing, 0);
    // Every pixel of the box is painted, frame included.
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            QVERIFY2(image.pixel(x, y) != QColor(Qt::magenta).rgb(),
                     qPrintable(QStringLiteral("unpainted at %1, %2").arg(x).arg(y)));
        }
    }
}

void DrawnOutputTest::titleLooksLikeAPlainLabel_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("dpr");
    for (const int dpr : {1, 2}) {
        QTest::addRow("flow title, device pixel ratio %d", dpr) << u"Label3"_s << dpr;
        QTest::addRow("pressure title, device pixel ratio %d", dpr) << u"Label4"_s << dpr;
    }
}

// A plot title keeps its text laid out; what it paints is what a plain
// label of the same text, font, colours and size paints.
void DrawnOutputTest::titleLooksLikeAPlainLabel() {
    QFETCH(QString, name);
    QFETCH(int, dpr);
    const testing::WindowRig w;
    auto *title = w.find<QLabel>(name);
    QLabel plain(title->text());
    plain.setFont(title->font());
    plain.setPalette(title->palette());
    plain.setAlignment(title->alignment());
    plain.setAutoFillBackground(true);
    plain.resize(title->size());
    QCOMPARE(rendered(*title, dpr), rendered(plain, dpr));
}

// The screen after recalculations, each repainted as little as the program
// chooses (after a step of a bar, straight into the window's backing store),
// is what painting the whole window anew shows: under the titles and the
// legend too, and where the legend was once its layer is off.
void DrawnOutputTest::repaintAfterRecalculationShowsWholePicture() {
    testing::WindowRig w;
    QVERIFY(QTest::qWaitForWindowExposed(&w.form));
    w.button()->click();
    w.moo()->setText(u"2"_s);
    w.hbl()->setText(u"0.2"_s);
    w.button()->click();
    // Steps of a bar, the layer with its legend turned on and off between them.
    QAction *layer = w.find<QAction>(u"Nm_İkinciMertebe"_s);
    for (QAction *first : std::initializer_list<QAction *>{nullptr, layer, nullptr, layer}) {
        if (first) {
            first->trigger();
        }
        QCoreApplication::processEvents();
        w.bar(u"HScroll_Moo"_s)->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QCoreApplication::processEvents();
    }
    // The same where Qt shares a painter with the box: rendered into a larger
    // picture, then only its plot there after a step.
    auto *box = w.find<PictureBox>(u"Picture_Akım"_s);
    const auto picture = [&, dpr = w.form.devicePixelRatio()] {
        QImage image((box->size() + QSize(8, 8)) * dpr, QImage::Format_RGB32);
        image.setDevicePixelRatio(dpr);
        image.fill(Qt::magenta);
        box->render(&image, QPoint(3, 5));
        return image;
    };
    QImage stepped = picture();
    w.bar(u"HScroll_Moo"_s)->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    box->render(&stepped, QPoint(3, 5) + box->plotRegion().boundingRect().topLeft(),
                box->plotRegion());
    QCOMPARE(stepped, picture());
    // Painting the window into a picture is a paint of its own, after which
    // the window is repainted whole: it comes last, when whatever a repaint
    // had left wrong would still show in the window's backing store.
    const QImage whole = w.form.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const auto onScreen = [&] {
        QPaintDevice *store = w.form.backingStore()->paintDevice();
        return store->devType() != QInternal::Image
                   ? QImage()
                   : static_cast<QImage *>(store)
                         ->copy(QRect(QPoint(), w.form.size() * store->devicePixelRatio()))
                         .convertToFormat(QImage::Format_RGB32);
    };
    QTRY_COMPARE(onScreen(), whole);
}

QTEST_MAIN(DrawnOutputTest)
#include "tst_drawnoutput.moc"
