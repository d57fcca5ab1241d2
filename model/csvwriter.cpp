#include "model/csvwriter.h"

#include "model/flowplot.h"
#include "model/pressureplot.h"
#include "model/secondorder.h"
#include "model/shortestnumber.h"
#include "model/simplewave.h"

#include <array>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

namespace wavywall {

namespace {

class Table {
public:
    explicit Table(Separator separator)
        : m_separator(static_cast<char>(separator)) {}

    void field(std::string_view text) {
        if (!m_lineStart) {
            m_text.push_back(m_separator);
        }
        m_text.append(text);
        m_lineStart = false;
    }
    void field(double value) { field(shortestNumber(value)); }
    void field(const std::optional<double> &value) {
        value ? field(*value) : field(std::string_view{});
    }
    void field(int value) { field(std::to_string(value)); }
    void endRow() {
        m_text.append("\r\n");
        m_lineStart = true;
    }
    std::string take() { return std::move(m_text); }

private:
    char m_separator;
    bool m_lineStart = true;
    std::string m_text;
};

// A layer's column: its name and a value for each row i = 0..N, empty where
// the layer has none.
struct Column {
    std::string name;
    std::array<std::optional<double>, maxIntervals + 1> values{};
};

// The second order is drawn above Mach one only.
Column secondOrderColumn(const FlowState &flow) {
    Column column{"Cp2"};
    if (isSubsonic(flow) || flow.Beta == 0) {
        return column;
    }
    const SecondOrderTables t = secondOrderTables(flow);
    for (int i = 0; i <= flow.N; ++i) {
        column.values[static_cast<std::size_t>(i)] = t.Cp2[static_cast<std::size_t>(i)];
    }
    return column;
}

// The exact Cp, empty where the wall has no simple wave.
Column exactColumn(const FlowState &flow) {
    Column column{"Cp_exact"};
    const ExactTables t = exactTables(flow);
    for (int i = 0; i <= flow.N; ++i) {
        column.values[static_cast<std::size_t>(i)] = t.Cp[static_cast<std::size_t>(i)];
    }
    return column;
}

// The exact characteristics in rows 0..8, from (xc0, yc0) on the wall to
// (xc1, yc1), and the shock point in row 0.
std::vector<Column> exactFlowColumns(const FlowState &flow) {
    std::vector<Column> columns(6);
    const char *names[] = {"xc0", "yc0", "xc1", "yc1", "x_s", "y_s"};
    for (std::size_t c = 0; c < columns.size(); ++c) {
        columns[c].name = names[c];
    }
    const auto lines = exactCharacteristics(flow);
    for (std::size_t k = 0; k < lines.size(); ++k) {
        if (lines[k]) {
            columns[0].values[k] = lines[k]->x0;
            columns[1].values[k] = lines[k]->y0;
            columns[2].values[k] = lines[k]->x1;
            columns[3].values[k] = lines[k]->y1;
        }
    }
    if (const std::optional<ShockPoint> s = shockPoint(flow)) {
        columns[4].values[0] = s->x;
        columns[5].values[0] = s->y;
    }
    return columns;
}

std::vector<Column> pressureColumns(const FlowState &flow, const Layers &layers) {
    std::vector<Column> columns;
    for (const Layer layer : layers) {
        switch (layer) {
        case Layer::secondOrder:
            columns.push_back(secondOrderColumn(flow));
            break;
        case Layer::exact:
            columns.push_back(exactColumn(flow));
            break;
        }
    }
    return columns;
}

// The second order adds nothing to the flow picture.
std::vector<Column> flowColumns(const FlowState &flow, const Layers &layers) {
    std::vector<Column> columns;
    for (const Layer layer : layers) {
        switch (layer) {
        case Layer::secondOrder:
            break;
        case Layer::exact:
            for (Column &column : exactFlowColumns(flow)) {
                columns.push_back(std::move(column));
            }
            break;
        }
    }
    return columns;
}

void columnHeaders(Table &table, const std::vector<Column> &columns) {
    for (const Column &column : columns) {
        table.field(column.name);
    }
}

void columnFields(Table &table, const std::vector<Column> &columns, int i) {
    for (const Column &column : columns) {
        table.field(column.values[static_cast<std::size_t>(i)]);
    }
}

void flowHeader(Table &table) {
    table.field("i");
    for (int j = 0; j <= streamlineCount; ++j) {
        table.field("Xs" + std::to_string(j));
        table.field("Ys" + std::to_string(j));
    }
    for (const char *name : {"x0", "y0", "x1", "y1"}) {
        table.field(name);
    }
}

void machLineFields(Table &table, const std::array<MachLine, machLineCount> &lines, int i,
                    bool drawn) {
    if (drawn && i < machLineCount) {
        const MachLine &m = lines[static_cast<std::size_t>(i)];
        for (const double v : {m.x0, m.y0, m.x1, m.y1}) {
            table.field(v);
        }
    } else {
        for (int empty = 0; empty < 4; ++empty) {
            table.field(std::string_view{});
        }
    }
}

} // namespace

// A subsonic flow has a curve whatever Beta an earlier recalculation left.
std::string pressureCsv(const FlowState &flow, Separator separator, const Layers &layers) {
    requireDrawable(flow, "pressureCsv");
    Table table(separator);
    for (const char *name : {"i", "x", "Cp"}) {
        table.field(name);
    }
    const std::vector<Column> columns = pressureColumns(flow, layers);
    columnHeaders(table, columns);
    table.endRow();
    if (!isSubsonic(flow) && flow.Beta == 0) {
        return table.take();
    }
    const PressureTables t = pressureTables(flow);
    for (int i = 0; i <= flow.N; ++i) {
        table.field(i);
        table.field(t.Xw[i]);
        table.field(t.Cp[i]);
        columnFields(table, columns, i);
        table.endRow();
    }
    return table.take();
}

std::string flowCsv(const FlowState &flow, Separator separator, const Layers &layers) {
    requireDrawable(flow, "flowCsv");
    Table table(separator);
    flowHeader(table);
    const std::vector<Column> columns = flowColumns(flow, layers);
    columnHeaders(table, columns);
    table.endRow();
    const StreamlineTables t = streamlineTables(flow);
    const std::array<MachLine, machLineCount> mach = machLines(flow);
    for (int i = 0; i <= flow.N; ++i) {
        table.field(i);
        for (int j = 0; j <= streamlineCount; ++j) {
            table.field(t.Xs[i][j]);
            table.field(t.Ys[i][j]);
        }
        machLineFields(table, mach, i, !isSubsonic(flow));
        columnFields(table, columns, i);
        table.endRow();
    }
    return table.take();
}

} // namespace wavywall
