#include "ui/plotprinter.h"

#include <QDir>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>
#include <QSvgRenderer>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace wavywall {

// A file name set before the dialog makes it choose PDF output, so it is set
// only where PDF is the dialog's one choice anyway.
void preparePrinter(QPrinter &printer, const QString &fileName, const QString &title) {
    printer.setDocName(title);
    if (!QPrinterInfo::availablePrinters().isEmpty()) {
        return;
    }
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir(folder).exists()) {
        folder = QDir::homePath();
    }
    printer.setOutputFileName(QDir(folder).filePath(fileName + u".pdf"_s));
}

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
