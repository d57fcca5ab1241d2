#include "ui/plotprinter.h"

#include <QPagedPaintDevice>
#include <QPainter>
#include <QSvgRenderer>

#include <algorithm>

namespace wavywall {

void printPlots(QPagedPaintDevice &page, const QString &heading, const std::string &flowSvg,
                const std::string &pressureSvg) {
    QPainter painter(&page);
    QSvgRenderer flow(QByteArray::fromStdString(flowSvg));
    QSvgRenderer pressure(QByteArray::fromStdString(pressureSvg));
    const QRectF area(QPointF(0, 0), QSizeF(page.width(), page.height()));
    const QRectF text = painter.boundingRect(area, Qt::AlignLeft | Qt::TextWordWrap, heading);
    painter.drawText(area, Qt::AlignLeft | Qt::TextWordWrap, heading);
    const QSizeF f = flow.defaultSize();
    const QSizeF p = pressure.defaultSize();
    const double gap = text.height();
    const double room = area.height() - text.height() - 2 * gap;
    const double scale =
        std::min(area.width() / std::max(f.width(), p.width()), room / (f.height() + p.height()));
    const double top = text.bottom() + gap;
    flow.render(&painter, QRectF(0, top, f.width() * scale, f.height() * scale));
    pressure.render(
        &painter, QRectF(0, top + f.height() * scale + gap, p.width() * scale, p.height() * scale));
}

} // namespace wavywall
