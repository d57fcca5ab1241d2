#include "ui/appicon.h"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

using namespace Qt::StringLiterals;

namespace wavywall {

QIcon appIcon() {
    // Drawn here rather than by Qt's SVG icon plugin, so that the icon needs
    // only the libraries the program links against.
    QSvgRenderer renderer(u":/icons/org.example.wavywall.svg"_s);
    QIcon icon;
    if (!renderer.isValid())
        return icon;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        renderer.render(&painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace wavywall
