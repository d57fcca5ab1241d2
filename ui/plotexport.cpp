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

std::string plotTable(Plot plot, const FlowModel &model, Separator separator) {
    return plot == Plot::flow ? flowCsv(model.state(), separator)
                              : pressureCsv(model.state(), separator);
}

} // namespace wavywall
