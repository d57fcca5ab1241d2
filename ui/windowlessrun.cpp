#include "ui/windowlessrun.h"

#include "canvas/displaylist.h"
#include "model/flowmodel.h"
#include "model/heldinputs.h"
#include "model/messagelist.h"
#include "model/validityreport.h"
#include "ui/plotexport.h"
#include "ui/plotfiles.h"

#include <cstdio>
#include <string>
#include <tuple>
#include <vector>

using namespace Qt::StringLiterals;

namespace wavywall {

namespace {

QString qstring(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

void printError(const QString &text) {
    std::fputs(qUtf8Printable(text + u'\n'), stderr);
}

// Each layer's canvases: what it draws over the flow picture and over the
// pressure plot.
struct LayerCanvases {
    Layer layer;
    DisplayList flow;
    DisplayList pressure;
};

void attach(FlowModel &model, LayerCanvases &canvases) {
    switch (canvases.layer) {
    case Layer::secondOrder:
        model.setSecondOrderLayer(&canvases.pressure);
        break;
    case Layer::exact:
        model.setExactLayers(&canvases.flow, &canvases.pressure);
        break;
    }
}

// A model of its own, recalculated from the command line's texts as HESAPLA
// recalculates from the boxes, with the layers drawn as the window draws
// them.
struct Run {
    HeldInputs texts;
    DisplayList flow;
    DisplayList pressure;
    MessageList messages;
    FlowModel model{texts, flow, pressure, messages};
    std::vector<LayerCanvases> layers;

    explicit Run(const CommandLine &line) {
        model.Form_Load();
        texts.moo = line.moo ? line.moo->toStdU16String() : texts.moo;
        texts.hbl = line.hbl ? line.hbl->toStdU16String() : texts.hbl;
        layers.reserve(line.layers.size());
        for (const Layer layer : line.layers) {
            attach(model, layers.emplace_back(LayerCanvases{layer, {}, {}}));
        }
        model.Command1_Click();
    }

    // The plot's lines, then each layer's, as the window paints them.
    std::vector<DisplayList::PlotLine> shown(Plot plot) const {
        std::vector<DisplayList::PlotLine> lines = (plot == Plot::flow ? flow : pressure).lines();
        for (const LayerCanvases &layer : layers) {
            const DisplayList &drawn = plot == Plot::flow ? layer.flow : layer.pressure;
            lines.insert(lines.end(), drawn.lines().begin(), drawn.lines().end());
        }
        return lines;
    }

    QByteArray bytes(Plot plot, FileType type, double scale) const {
        switch (type) {
        case FileType::csv:
            return QByteArray::fromStdString(plotTable(plot, model, Separator::comma));
        case FileType::svg:
            return QByteArray::fromStdString(plotPicture(plot, shown(plot)));
        case FileType::png:
            return plotPng(plot, shown(plot), scale);
        }
        return {};
    }
};

// The recalculation goes on with what was read; the user hears what that was.
void warnOfPartialReadings(const CommandLine &line, const Recalculation &last) {
    using Box = std::tuple<const char *, const std::optional<QString> &, const std::u16string &>;
    for (const auto &[option, text, note] :
         {Box{"moo", line.moo, last.mooNote}, Box{"hbl", line.hbl, last.hblNote}}) {
        if (!note.empty() && text) {
            printError(
                u"uyarı: --%1 \"%2\": %3"_s.arg(QLatin1StringView(option), *text, qstring(note)));
        }
    }
}

int writeFiles(const CommandLine &line, const Run &run) {
    std::vector<OutputFile> files;
    const std::pair<Plot, QString> requests[] = {{Plot::flow, line.saveFlow},
                                                 {Plot::pressure, line.savePressure}};
    for (const auto &[plot, path] : requests) {
        if (!path.isEmpty()) {
            files.push_back({path, run.bytes(plot, *fileTypeOf(path), line.scale)});
        }
    }
    if (const QString failure = saveAllOrNone(files); !failure.isEmpty()) {
        printError(failure);
        return exitUnusable;
    }
    return 0;
}

void printValidity(const FlowModel &model) {
    for (const std::u16string &text : validityLines(model)) {
        std::fputs(qUtf8Printable(qstring(text) + u'\n'), stdout);
    }
}

} // namespace

// Nothing is written when the window would have shown a message: the plots
// are then missing or not to be trusted.
int runWithoutWindow(const CommandLine &line) {
    const Run run(line);
    warnOfPartialReadings(line, *run.model.lastRecalculation());
    if (!run.messages.shown.empty()) {
        for (const std::u16string &message : run.messages.shown) {
            printError(qstring(message));
        }
        return exitMessage;
    }
    if (const int status = writeFiles(line, run); status != 0) {
        return status;
    }
    if (line.validity) {
        printValidity(run.model);
    }
    return 0;
}

} // namespace wavywall
