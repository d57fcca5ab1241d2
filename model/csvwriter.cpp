#include "model/csvwriter.h"

#include "canvas/classicnumbers.h"
#include "model/flowplot.h"
#include "model/pressureplot.h"

#include <array>
#include <string_view>
#include <utility>

namespace wavywall {

namespace {

// Seventeen significant digits are enough for any double to read back as
// itself; %g drops the zeros that follow them.
std::string exact(double value) {
    return ClassicNumbers::format("%.17g", value);
}

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
    void field(double value) { field(exact(value)); }
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

void flowHeader(Table &table) {
    table.field("i");
    for (int j = 0; j <= streamlineCount; ++j) {
        table.field("Xs" + std::to_string(j));
        table.field("Ys" + std::to_string(j));
    }
    for (const char *name : {"x0", "y0", "x1", "y1"}) {
        table.field(name);
    }
    table.endRow();
}

void machLineFields(Table &table, const std::array<MachLine, machLineCount> &lines, int i) {
    if (i < machLineCount) {
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

std::string pressureCsv(const FlowState &flow, Separator separator) {
    requireDrawable(flow, "pressureCsv");
    Table table(separator);
    for (const char *name : {"i", "x", "Cp"}) {
        table.field(name);
    }
    table.endRow();
    if (flow.Beta == 0) {
        return table.take();
    }
    const PressureTables t = pressureTables(flow);
    for (int i = 0; i <= flow.N; ++i) {
        table.field(i);
        table.field(t.Xw[i]);
        table.field(t.Cp[i]);
        table.endRow();
    }
    return table.take();
}

std::string flowCsv(const FlowState &flow, Separator separator) {
    requireDrawable(flow, "flowCsv");
    Table table(separator);
    flowHeader(table);
    const StreamlineTables t = streamlineTables(flow);
    const std::array<MachLine, machLineCount> mach = machLines(flow);
    for (int i = 0; i <= flow.N; ++i) {
        table.field(i);
        for (int j = 0; j <= streamlineCount; ++j) {
            table.field(t.Xs[i][j]);
            table.field(t.Ys[i][j]);
        }
        machLineFields(table, mach, i);
        table.endRow();
    }
    return table.take();
}

} // namespace wavywall
