#include "ui/plotexport.h"

namespace wavywall {

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
    return last ? QString::fromStdU16String(exportName(*last)) : QStringLiteral("wavywall");
}

std::string plotTable(Plot plot, const FlowModel &model, Separator separator) {
    const Layers layers = model.layersShown();
    return plot == Plot::flow ? flowCsv(model.state(), separator, layers)
                              : pressureCsv(model.state(), separator, layers);
}

} // namespace wavywall
