#include "ui/plotfiles.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QSaveFile>
#include <QSvgRenderer>

#include <cmath>

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

QByteArray pngBytes(const std::string &svg, qreal pixelRatio) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    renderPicture(svg, pixelRatio).save(&buffer, "PNG");
    return bytes;
}

// A path that names a folder is refused before anything is opened: the
// temporary file would otherwise be made beside it and fail to replace it
// with a less telling reason.
QString saveWhole(const QString &path, const QByteArray &bytes) {
    const auto failed = [&path](const QString &reason) {
        return u"%1 kaydedilemedi: %2"_s.arg(QDir::toNativeSeparators(path), reason);
    };
    if (QFileInfo(path).isDir()) {
        return failed(u"bu bir klasör"_s);
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return failed(file.errorString());
    }
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return failed(reason);
    }
    if (!file.commit()) {
        return failed(file.errorString());
    }
    return {};
}

} // namespace wavywall
