#include "ui/plotfiles.h"

#include "canvas/rasteriser.h"
#include "canvas/svgwriter.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QSaveFile>
#include <QSvgRenderer>

#include <cerrno>
#include <cmath>
#include <memory>

using namespace Qt::StringLiterals;

namespace wavywall {

std::optional<FileType> fileTypeOf(const QString &path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == "svg"_L1) {
        return FileType::svg;
    }
    if (suffix == "png"_L1) {
        return FileType::png;
    }
    if (suffix == "csv"_L1) {
        return FileType::csv;
    }
    return std::nullopt;
}

QImage renderPicture(const std::string &svg, qreal pixelRatio) {
    QSvgRenderer renderer(QByteArray::fromStdString(svg));
    const QSize size = renderer.defaultSize();
    QImage image(QSize(static_cast<int>(std::ceil(size.width() * pixelRatio)),
                       static_cast<int>(std::ceil(size.height() * pixelRatio))),
                 QImage::Format_RGB32);
    image.setDevicePixelRatio(pixelRatio);
    image.fill(Qt::white);
    QPainter painter(&image);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return image;
}

// The SVG picture without its lines gives the light-yellow area and the
// title label; wherever it shows the light yellow, the painter's pixel goes.
QImage renderPlot(Plot plot, const std::vector<DisplayList::PlotLine> &lines, qreal pixelRatio) {
    QImage image = renderPicture(plotPicture(plot, {}), pixelRatio);
    const PictureFrame frame = pictureFrame(plot);
    const QSize area = QSize(static_cast<int>(std::lround(frame.width * pixelRatio)),
                             static_cast<int>(std::lround(frame.height * pixelRatio)))
                           .boundedTo(image.size());
    QImage painted(area, QImage::Format_RGB32);
    Rasteriser().paint({reinterpret_cast<std::uint32_t *>(painted.bits()), area.width(),
                        area.height(), static_cast<int>(painted.bytesPerLine() / 4),
                        ByteOrder::bgra},
                       pixelRatio, std::span(lines));
    const QRgb background = pixelOf(colours::lightYellow, ByteOrder::bgra);
    for (int y = 0; y < area.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        const auto *from = reinterpret_cast<const QRgb *>(painted.constScanLine(y));
        for (int x = 0; x < area.width(); ++x) {
            if (row[x] == background) {
                row[x] = from[x];
            }
        }
    }
    return image;
}

QByteArray plotPng(Plot plot, const std::vector<DisplayList::PlotLine> &lines, qreal pixelRatio) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    renderPlot(plot, lines, pixelRatio).save(&buffer, "PNG");
    return bytes;
}

namespace {

QString failed(const QString &path, const QString &reason) {
    return u"%1 kaydedilemedi: %2"_s.arg(QDir::toNativeSeparators(path), reason);
}

// What the system said, in the window's language.
QString reasonOf(const QFileDevice &file, int error) {
    if (file.error() == QFileDevice::ResourceError || error == ENOSPC || error == EDQUOT) {
        return u"aygıtta yer kalmadı"_s;
    }
    switch (error) {
    case EACCES:
    case EPERM:
        return u"yazma izni yok"_s;
    case EROFS:
        return u"dosya sistemi salt okunur"_s;
    case ENOENT:
    case ENOTDIR:
        return u"klasör yok"_s;
    case ENAMETOOLONG:
        return u"ad çok uzun"_s;
    case EISDIR:
        return u"bu bir klasör"_s;
    default:
        return u"dosya yazılamadı (hata %1)"_s.arg(error);
    }
}

// A path that names a folder, or lies in one that is not there, is refused
// before anything is opened: the temporary file would otherwise be made
// beside it and fail with a less telling reason.
QString refusal(const QString &path) {
    const QFileInfo file(path);
    if (file.isDir()) {
        return u"bu bir klasör"_s;
    }
    if (!file.absoluteDir().exists()) {
        return u"klasör yok"_s;
    }
    return {};
}

} // namespace

QString saveWhole(const QString &path, const QByteArray &bytes) {
    return saveAllOrNone({{path, bytes}});
}

// A temporary file that is not committed is removed with its QSaveFile.
// Flushing every file before the first is committed brings a full disk to
// light while nothing has been replaced yet.
QString saveAllOrNone(const std::vector<OutputFile> &files) {
    for (const OutputFile &file : files) {
        if (const QString reason = refusal(file.path); !reason.isEmpty()) {
            return failed(file.path, reason);
        }
    }
    std::vector<std::unique_ptr<QSaveFile>> written;
    for (const OutputFile &file : files) {
        auto &out = written.emplace_back(std::make_unique<QSaveFile>(file.path));
        errno = 0;
        if (!out->open(QIODevice::WriteOnly) || out->write(file.bytes) != file.bytes.size() ||
            !out->flush()) {
            return failed(file.path, reasonOf(*out, errno));
        }
    }
    for (std::size_t i = 0; i < files.size(); ++i) {
        errno = 0;
        if (!written[i]->commit()) {
            return failed(files[i].path, reasonOf(*written[i], errno));
        }
    }
    return {};
}

} // namespace wavywall
