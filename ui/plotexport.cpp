#include "ui/plotexport.h"

#include "canvas/svgwriter.h"
#include "ui/layouttable.h"

#include <QRect>

using namespace Qt::StringLiterals;

namespace wavywall {

namespace {

// The plot boxes' sunken border, which the drawing area lies within.
constexpr int borderPixels = 2;
// A picture has the size the window has at the resolution that web pages
// are laid out in, whatever the screen it is saved from.
constexpr double pictureDotsPerInch = 96;
// The title's size in pixels, as the web page sets its labels.
constexpr double titlePixels = 11;

std::u16string_view utf16(const QString &text) {
    return {reinterpret_cast<const char16_t *>(text.utf16()), static_cast<size_t>(text.size())};
}

} // namespace

// A plot is named after its title label.
QString plotTitle(Plot plot) {
    return toQString(plot == Plot::flow ? windows::Form1::Label3::text
                                        : windows::Form1::Label4::text);
}

QString suggestedFileName(Plot plot, const FlowModel &model) {
    const std::optional<Recalculation> &last = model.lastRecalculation();
    if (!last) {
        return {};
    }
    const std::u16string name = exportName(plot, *last);
    return QString::fromUtf16(name.data(), static_cast<qsizetype>(name.size()));
}

QString printName(const FlowModel &model) {
    const std::optional<Recalculation> &last = model.lastRecalculation();
    return last ? QString::fromStdU16String(exportName(*last)) : u"wavywall"_s;
}

bool hasResults(const FlowModel &model) {
    return model.lastRecalculation() && model.lastRecalculation()->refusal.empty();
}

std::string plotPicture(Plot plot, const std::vector<DisplayList::PlotLine> &lines) {
    using layout = windows::Form1;
    const bool flow = plot == Plot::flow;
    const QRect box = toPixels(flow ? layout::Picture_Akım::twips : layout::Picture_basınç::twips,
                               pictureDotsPerInch);
    const QRect area(0, 0, box.width() - 2 * borderPixels, box.height() - 2 * borderPixels);
    const QRect title =
        toPixels(flow ? layout::Label3::twips : layout::Label4::twips, pictureDotsPerInch) & area;
    const QString text = plotTitle(plot);
    const QRectF label = title.toRectF();
    const PictureFrame frame{area.width(), area.height(), utf16(text),    label.left(),
                             label.top(),  label.width(), label.height(), titlePixels};
    return plotSvg(lines, frame);
}

std::string plotTable(Plot plot, const FlowModel &model, Separator separator) {
    const Layers layers = model.layersShown();
    return plot == Plot::flow ? flowCsv(model.state(), separator, layers)
                              : pressureCsv(model.state(), separator, layers);
}

} // namespace wavywall
