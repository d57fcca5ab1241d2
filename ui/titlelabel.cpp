#include "ui/titlelabel.h"

#include <QEvent>
#include <QMetaObject>
#include <QPaintEngine>
#include <QPainter>

namespace wavywall {

namespace {
// The device pixel ratio of what a painter paints into: the window's
// backing store, or the image a widget is rendered into.
qreal targetRatio(const QPainter &painter) {
    return painter.paintEngine()->paintDevice()->devicePixelRatioF();
}
} // namespace

TitleLabel::TitleLabel(const QString &text, QWidget *parent)
    : QLabel(text, parent) {}

// The picture copies pixel for pixel only onto an opaque background, at the
// ratio it was taken at, a whole one, and without any scaling of the painter
// beyond that ratio; anything else is painted as an ordinary label.
bool TitleLabel::pictureFits(const QPainter &painter) const {
    const qreal ratio = targetRatio(painter);
    const QTransform toDevice = painter.deviceTransform();
    return !m_picture.isNull() && m_picture.devicePixelRatio() == ratio && ratio == qRound(ratio) &&
           toDevice.type() <= QTransform::TxScale && toDevice.m11() == ratio &&
           toDevice.m22() == ratio && m_picturedText == text();
}

void TitleLabel::paintEvent(QPaintEvent *event) {
    if (!m_takingPicture) {
        QPainter painter(this);
        if (pictureFits(painter)) {
            painter.drawPixmap(0, 0, m_picture);
            return;
        }
        m_wantedRatio = targetRatio(painter);
    }
    QLabel::paintEvent(event);
    // The picture is taken after this paint, where rendering the label into
    // it cannot disturb the paint under way.
    const bool opaque = autoFillBackground() && palette().brush(backgroundRole()).isOpaque();
    if (opaque && !m_takingPicture && !m_pictureRequested) {
        m_pictureRequested = true;
        QMetaObject::invokeMethod(this, &TitleLabel::takePicture, Qt::QueuedConnection);
    }
}

void TitleLabel::takePicture() {
    m_pictureRequested = false;
    QPixmap picture(size() * m_wantedRatio);
    picture.setDevicePixelRatio(m_wantedRatio);
    m_takingPicture = true;
    render(&picture);
    m_takingPicture = false;
    m_picture = picture;
    m_picturedText = text();
}

void TitleLabel::changeEvent(QEvent *event) {
    m_picture = QPixmap();
    QLabel::changeEvent(event);
}

void TitleLabel::resizeEvent(QResizeEvent *event) {
    m_picture = QPixmap();
    QLabel::resizeEvent(event);
}

} // namespace wavywall
