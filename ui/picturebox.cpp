#include "ui/picturebox.h"

#include <QPaintEngine>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <bit>
#include <cmath>

namespace wavywall {

namespace {
// Qt's own 32-bit format, which its painter draws onto a window's backing
// store without converting a pixel: blue, green, red, alpha in memory where
// the machine is little-endian, as all of today's are.
constexpr bool littleEndian = std::endian::native == std::endian::little;
constexpr QImage::Format imageFormat =
    littleEndian ? QImage::Format_RGB32 : QImage::Format_RGBA8888;
constexpr ByteOrder byteOrder = littleEndian ? ByteOrder::bgra : ByteOrder::rgba;

// The image a paint goes to, if it goes to one.
QImage *imageOf(QPaintDevice *device) {
    return device != nullptr && device->devType() == QInternal::Image ? static_cast<QImage *>(device)
                                                                      : nullptr;
}

// Where a paint goes: an image's pixels (on a scaled screen the window's
// backing store comes as a new image object at every repaint, over the same
// pixels), any other device itself.
const void *targetOf(const QPainter &painter) {
    QPaintDevice *device = painter.paintEngine()->paintDevice();
    const QImage *image = imageOf(device);
    return image ? static_cast<const void *>(image->constBits()) : device;
}
} // namespace

PictureBox::PictureBox(QWidget *parent)
    : QFrame(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureBox::Cls() {
    m_list.Cls();
    requestRepaint();
    Q_EMIT cleared();
}

void PictureBox::Scale(double x1, double y1, double x2, double y2) {
    m_list.Scale(x1, y1, x2, y2);
}

void PictureBox::Line(float x1, float y1, float x2, float y2, Colour colour) {
    m_list.Line(x1, y1, x2, y2, colour);
    requestRepaint();
}

void PictureBox::Polyline(std::span<const float> x, std::span<const float> y, Colour colour) {
    m_list.Polyline(x, y, colour);
    requestRepaint();
}

void PictureBox::Overlay::Cls() {
    if (!list.lines().empty()) {
        m_box.requestRepaint();
    }
    list.Cls();
}

void PictureBox::Overlay::Scale(double x1, double y1, double x2, double y2) {
    list.Scale(x1, y1, x2, y2);
}

void PictureBox::Overlay::Line(float x1, float y1, float x2, float y2, Colour colour) {
    list.Line(x1, y1, x2, y2, colour);
    m_box.requestRepaint();
}

void PictureBox::Overlay::Polyline(std::span<const float> x, std::span<const float> y,
                                   Colour colour) {
    list.Polyline(x, y, colour);
    m_box.requestRepaint();
}

// Only the drawing area changes; the frame around it stays as painted, and
// so does an opaque child over the area, the plot's title, which covers the
// lines beneath it and whose own pixels never change: Qt repaints a child
// only where its parent's update reaches it. One request covers every line
// drawn until the repaint comes.
void PictureBox::requestRepaint() {
    if (!m_repaintRequested) {
        m_repaintRequested = true;
        m_requestedRegion = plotRegion();
        update(m_requestedRegion);
    }
}

QRegion PictureBox::plotRegion() const {
    QRegion region(contentsRect());
    for (const QObject *child : children()) {
        const auto *widget = qobject_cast<const QWidget *>(child);
        if (widget && !widget->isWindow() && !widget->isHidden() &&
            (widget->autoFillBackground() || widget->testAttribute(Qt::WA_OpaquePaintEvent))) {
            region -= widget->geometry();
        }
    }
    return region;
}

// The drawing area in the device pixels of a ratio: its edges rounded to the
// nearest, so that at 125 % the image meets the frame without a gap.
QRect PictureBox::deviceArea(qreal ratio) const {
    const QRect inner = contentsRect();
    const auto device = [ratio](int v) { return static_cast<int>(std::lround(v * ratio)); };
    return QRect(
        QPoint(device(inner.left()), device(inner.top())),
        QPoint(device(inner.left() + inner.width()) - 1, device(inner.top() + inner.height()) - 1));
}

// The painter's pixels are the plot's: the image is shown one image pixel a
// device pixel. Over the same target after the box's own request, and only
// then (a child hidden since, for one, adds its place to the region), only
// what the painter changed is drawn; the target keeps the rest as it was
// shown.
void PictureBox::paintEvent(QPaintEvent *event) {
    const bool ownRequest = m_repaintRequested && event->region() == m_requestedRegion;
    m_repaintRequested = false;
    if (!contentsRect().contains(event->rect())) {
        // The box paints opaquely: at a fractional or doubled pixel ratio the
        // bevel's lines cover less than the frame's width, so the ring is
        // filled first.
        QPainter(this).fillRect(rect(), palette().window());
        QFrame::paintEvent(event);
    }
    if (ownRequest && paintStraight(event->region())) {
        return;
    }
    QPainter painter(this);
    const qreal ratio = painter.deviceTransform().m11();
    const void *target = targetOf(painter);
    const QRect area = deviceArea(ratio);
    if (m_image.size() != area.size()) {
        m_image = QImage(area.size(), imageFormat);
    }
    m_image.setDevicePixelRatio(ratio);
    const PixelRect changed =
        m_painter.paint({reinterpret_cast<std::uint32_t *>(m_image.bits()), m_image.width(),
                         m_image.height(), static_cast<int>(m_image.bytesPerLine() / 4), byteOrder},
                        ratio, std::span<const DisplayList *const>(paintedLists()));
    QRect source(0, 0, m_image.width(), m_image.height());
    if (ownRequest && m_shownOn == target) {
        source = QRect(QPoint(changed.left, changed.top),
                       QPoint(changed.right, changed.bottom) - QPoint(1, 1));
    }
    m_shownOn = target;
    if (!source.isEmpty()) {
        show(painter, event->region(),
             QPointF(area.left() + source.left(), area.top() + source.top()) / ratio, source);
    }
}

// Qt draws an image through a clip of several rectangles (the drawing area
// less the title over it) a pixel run at a time, six times slower than it
// copies rows through one rectangle: the image goes once through each.
void PictureBox::show(QPainter &painter, const QRegion &region, QPointF at, QRect source) const {
    if (region.rectCount() <= 1) {
        painter.drawImage(at, m_image, source);
        return;
    }
    for (const QRect &piece : region) {
        painter.setClipRect(piece);
        painter.drawImage(at, m_image, source);
    }
}

// A repaint after the box's own request, over a target that is a 32-bit
// image in the painter's byte order (a window's backing store, or an image
// the box is rendered into) at a whole device pixel ratio: the painter paints
// into the target's own pixels, which still hold its last paint there, and
// nothing is copied. What of the drawing area lies outside the region to
// repaint, under the opaque titles, keeps its pixels: taken before the paint
// and put back after it. Qt paints any other child over the region after.
//
// The target and the box's place in it are found as a painter on the box
// would find them, without making one (that costs a tenth of the paint): the
// device Qt redirects the box to, seen through its device pixel ratio or
// through the painter Qt shares with the box (QWidget::render), which may
// carry any transformation.
bool PictureBox::paintStraight(const QRegion &region) {
    QPoint offset;
    QPaintDevice *const device = redirected(&offset);
    QImage *const image = imageOf(device);
    const QPainter *const shared = sharedPainter();
    if (!littleEndian || image == nullptr || m_shownOn != image->constBits() ||
        (shared != nullptr && shared->paintEngine()->paintDevice() != device) ||
        (image->format() != QImage::Format_RGB32 &&
         image->format() != QImage::Format_ARGB32_Premultiplied)) {
        return false;
    }
    const qreal dpr = image->devicePixelRatio();
    const QTransform transform =
        QTransform::fromTranslate(-offset.x(), -offset.y()) *
        (shared != nullptr ? shared->deviceTransform() : QTransform::fromScale(dpr, dpr));
    const qreal ratio = transform.m11();
    const int scale = penWidth(ratio);
    if (transform.type() > QTransform::TxScale || ratio != scale || transform.m22() != scale ||
        transform.dx() != std::trunc(transform.dx()) ||
        transform.dy() != std::trunc(transform.dy())) {
        return false;
    }
    const QPoint origin(static_cast<int>(transform.dx()), static_cast<int>(transform.dy()));
    const QRect area = deviceArea(ratio).translated(origin);
    if (!image->rect().contains(area)) {
        return false;
    }
    const auto stride = static_cast<std::ptrdiff_t>(image->bytesPerLine() / 4);
    auto *const pixels = reinterpret_cast<std::uint32_t *>(image->bits());
    const auto row = [&](const QRect &r, int y) {
        return pixels + (r.top() + y) * stride + r.left();
    };
    m_keptRects.clear();
    m_keptPixels.clear();
    for (const QRect &g : QRegion(contentsRect()) - region) {
        const QRect r(g.topLeft() * scale + origin, g.size() * scale);
        for (int y = 0; y < r.height(); ++y) {
            m_keptPixels.insert(m_keptPixels.end(), row(r, y), row(r, y) + r.width());
        }
        m_keptRects.push_back(r);
    }
    m_painter.paint(
        {row(area, 0), area.width(), area.height(), static_cast<int>(stride), byteOrder}, ratio,
        std::span<const DisplayList *const>(paintedLists()));
    const std::uint32_t *kept = m_keptPixels.data();
    for (const QRect &r : m_keptRects) {
        for (int y = 0; y < r.height(); ++y, kept += r.width()) {
            std::copy_n(kept, r.width(), row(r, y));
        }
    }
    return true;
}

std::array<const DisplayList *, 3> PictureBox::paintedLists() const {
    return {&m_list, &m_overlay.list, &m_exactOverlay.list};
}

std::vector<PictureBox::PlotLine> PictureBox::shownLines() const {
    std::vector<PlotLine> lines;
    for (const DisplayList *list : paintedLists()) {
        lines.insert(lines.end(), list->lines().begin(), list->lines().end());
    }
    return lines;
}

} // namespace wavywall
