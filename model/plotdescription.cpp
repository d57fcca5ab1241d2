#include "model/plotdescription.h"

#include "model/flowplot.h"
#include "model/pressureplot.h"
#include "model/secondorder.h"
#include "model/simplewave.h"
#include "model/textnumber.h"
#include "model/validityreport.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace wavywall {

namespace {

// Derived numbers are spoken to four significant digits: enough to compare
// two results, short enough to listen to. The inputs are spoken as read.
constexpr int spokenDigits = 4;

// The pressure plot shows Cp from minus its scale's bottom to minus its top;
// a curve beyond is cut off.
constexpr double lowestVisibleCp = -pressureScale.bottom;
constexpr double highestVisibleCp = -pressureScale.top;

double rounded(double value) {
    if (value == 0 || !std::isfinite(value)) {
        return value;
    }
    const double scale = std::pow(10.0, spokenDigits - 1 - std::floor(std::log10(std::abs(value))));
    return std::isfinite(scale) ? std::round(value * scale) / scale : value;
}

std::u16string spokenList(const std::vector<double> &values) {
    std::u16string text;
    for (const double value : values) {
        text += (text.empty() ? u"" : u", ") + spoken(value);
    }
    return text;
}

// The messages start with a blank, which also separates them from what goes
// before.
std::u16string noPlot(std::u16string_view message, const Recalculation &last) {
    std::u16string text = u"Çizim yok:" + std::u16string(message) + u".";
    if (last.Moo && last.HbL) {
        text += u" Moo = " + numberToText(*last.Moo) + u", H/L = " + numberToText(*last.HbL) + u".";
    }
    return text;
}

std::u16string inputsAndBeta(const Recalculation &last, const FlowState &flow) {
    const std::u16string beta = isSubsonic(flow) ? u", Beta′ = " + spoken(flow.BetaPrime)
                                                 : u", Beta = " + spoken(flow.Beta);
    return u"Moo = " + numberToText(*last.Moo) + u", H/L = " + numberToText(*last.HbL) + beta +
           u".";
}

// Below Mach one there are no Mach lines: the wall's shape fades away from
// it instead of being carried along them.
std::u16string subsonicFlowPicture() {
    return u" Kırmızı duvar ve " + numberToText(streamlineCount) +
           u" mavi akım çizgisi; ses altı akımda Mach çizgisi yok, akım çizgileri duvarın "
           u"biçimini duvardan uzaklaştıkça sönerek tekrarlar.";
}

// The Mach lines' angle with the flow direction, whose tangent is their
// slope 1/Beta: 90 degrees, upright, at Beta = 0.
double machAngleDegrees(const FlowState &flow) {
    return std::atan2(1.0, flow.Beta) * 180 / flow.Pi;
}

// The streamlines whose downstream end lies beyond the picture's right edge.
int streamlinesLeavingRight(const StreamlineTables &t, int N) {
    int leaving = 0;
    for (int j = 1; j <= streamlineCount; ++j) {
        double end = t.Xs[0][j];
        for (int i = 0; i <= N; ++i) {
            end = std::max(end, t.Xs[i][j]);
        }
        leaving += end > flowScale.right ? 1 : 0;
    }
    return leaving;
}

// What is drawn, the Mach angle, how far the top streamline is shifted and
// whether the streamlines fit. At Beta = 0 the Mach lines stand upright and
// nothing is shifted.
std::u16string flowPicture(const FlowState &flow) {
    if (isSubsonic(flow)) {
        return subsonicFlowPicture();
    }
    std::u16string text = u" Kırmızı duvar, " + numberToText(machLineCount) +
                          u" yeşil Mach çizgisi ve " + numberToText(streamlineCount) +
                          u" mavi akım çizgisi. Mach açısı " + spoken(machAngleDegrees(flow)) +
                          u" derece";
    const StreamlineTables t = streamlineTables(flow);
    if (flow.Beta == 0) {
        text += u": Mach çizgileri dikeydir. Her akım çizgisi duvarın biçimini kaymadan, duvarın "
                u"tam üzerinde tekrarlar.";
    } else {
        const double topShift = t.Xs[0][streamlineCount] - t.Xs[0][0];
        text += u". Her akım çizgisi duvarın biçimini Mach çizgileri boyunca akış yönünde kaymış "
                u"olarak tekrarlar; en üstteki " +
                spoken(topShift) + u" dalga boyu kaymıştır.";
    }
    const int leaving = streamlinesLeavingRight(t, flow.N);
    text += leaving == 0 ? u" Akım çizgilerinin hepsi çizimin içinde kalır."
                         : u" Sağ kenarda çizimin dışına çıkan akım çizgisi sayısı: " +
                               numberToText(leaving) + u".";
    return text;
}

struct Extreme {
    double value;
    std::vector<double> at;
};

// The largest (or, with a negative sign, the smallest) Cp of the curve, and
// every abscissa where Cp, as spoken, equals it.
Extreme extreme(const PressureTables &t, int N, double sign) {
    Extreme e{t.Cp[0], {}};
    for (int i = 0; i <= N; ++i) {
        if (sign * t.Cp[i] > sign * e.value) {
            e.value = t.Cp[i];
        }
    }
    for (int i = 0; i <= N; ++i) {
        if (rounded(t.Cp[i]) == rounded(e.value)) {
            e.at.push_back(t.Xw[i]);
        }
    }
    return e;
}

// Where the curve crosses the axis: between two points of opposite sign,
// with any exact zeros between them passed over, at the straight segment's
// crossing.
std::vector<double> signChanges(const PressureTables &t, int N) {
    std::vector<double> crossings;
    int previous = -1;
    for (int i = 0; i <= N; ++i) {
        if (t.Cp[i] == 0) {
            continue;
        }
        if (previous >= 0 && std::signbit(t.Cp[previous]) != std::signbit(t.Cp[i])) {
            const double share = t.Cp[previous] / (t.Cp[previous] - t.Cp[i]);
            crossings.push_back(t.Xw[previous] + share * (t.Xw[i] - t.Xw[previous]));
        }
        previous = i;
    }
    return crossings;
}

std::u16string pressureCurve(const FlowState &flow) {
    const PressureTables t = pressureTables(flow);
    const Extreme highest = extreme(t, flow.N, 1);
    const Extreme lowest = extreme(t, flow.N, -1);
    if (highest.value == 0 && lowest.value == 0) {
        return u" Cp her yerde 0: eğri eksenin üzerinde.";
    }
    std::u16string text = u" En büyük Cp = " + spoken(highest.value) + u" (x = " +
                          spokenList(highest.at) + u"), en küçük Cp = " + spoken(lowest.value) +
                          u" (x = " + spokenList(lowest.at) + u").";
    const std::vector<double> crossings = signChanges(t, flow.N);
    text += crossings.empty() ? u" Cp işaret değiştirmez."
                              : u" Cp işaret değiştirir: x = " + spokenList(crossings) + u".";
    text += u" Cp ≥ 0 kırmızı, Cp < 0 mavi.";
    if (highest.value > highestVisibleCp || lowest.value < lowestVisibleCp) {
        text += u" Eğrinin " + spoken(lowestVisibleCp) + u" ile " + spoken(highestVisibleCp) +
                u" aralığı dışındaki kısmı çizimde kesilir.";
    }
    return text;
}

// The second order is drawn in purple above Mach one only.
std::u16string secondOrderCurve(const FlowState &flow) {
    if (isSubsonic(flow) || flow.Beta == 0) {
        return u" İkinci mertebe Cp bu akımda çizilmez.";
    }
    const SecondOrderTables t = secondOrderTables(flow);
    const auto [lowest, highest] = std::minmax_element(t.Cp2.begin(), t.Cp2.begin() + flow.N + 1);
    return u" Mor eğri ikinci mertebe Cp: en büyük " + spoken(*highest) + u", en küçük " +
           spoken(*lowest) + u".";
}

// The exact Cp is drawn in teal where the wall has a simple wave.
std::u16string exactCurve(const FlowState &flow) {
    if (!hasSimpleWave(flow)) {
        return u" Basit dalga çözümü bu akımda çizilmez.";
    }
    const ExactTables t = exactTables(flow);
    std::vector<double> values;
    for (int i = 0; i <= flow.N; ++i) {
        if (t.Cp[i]) {
            values.push_back(*t.Cp[i]);
        }
    }
    std::u16string text = u" Camgöbeği eğri basit dalga çözümünün Cp'si";
    if (!values.empty()) {
        const auto [lowest, highest] = std::minmax_element(values.begin(), values.end());
        text += u": en büyük " + spoken(*highest) + u", en küçük " + spoken(*lowest);
    }
    text += u".";
    if (values.size() < static_cast<std::size_t>(flow.N) + 1) {
        text += u" Akımın ses hızına yavaşladığı yerlerde eğri kesiktir.";
    }
    return text;
}

// The characteristics and the shock point over the flow picture.
std::u16string exactFlow(const FlowState &flow) {
    if (!hasSimpleWave(flow)) {
        return u" Basit dalga çözümü bu akımda çizilmez.";
    }
    std::u16string text = u" Camgöbeği çizgiler basit dalganın karakteristikleri.";
    const std::optional<ShockPoint> s = shockPoint(flow);
    if (!s) {
        return text + u" Düz duvarda şok oluşmaz.";
    }
    if (s->atWall) {
        return text + u" Şok duvarda, x = " + spoken(s->x) + u" yakınında oluşur (çarpı).";
    }
    return text + u" Karakteristikler x = " + spoken(s->x) + u", y = " + spoken(s->y) +
           u" noktasında kesişir: şok orada oluşur (çarpı).";
}

// What each layer shown adds to the flow picture.
std::u16string flowLayers(const FlowModel &model) {
    std::u16string text;
    for (const Layer layer : model.layersShown()) {
        switch (layer) {
        case Layer::secondOrder:
            break;
        case Layer::exact:
            text += exactFlow(model.state());
            break;
        }
    }
    return text;
}

// What each layer shown adds to the pressure plot.
std::u16string pressureLayers(const FlowModel &model) {
    std::u16string text;
    for (const Layer layer : model.layersShown()) {
        switch (layer) {
        case Layer::secondOrder:
            text += secondOrderCurve(model.state());
            break;
        case Layer::exact:
            text += exactCurve(model.state());
            break;
        }
    }
    return text;
}

} // namespace

PlotDescriptions describePlots(const FlowModel &model) {
    const std::optional<Recalculation> &last = model.lastRecalculation();
    if (!last) {
        const std::u16string empty = u"Çizim boş: henüz hesap yapılmadı.";
        return {empty, empty};
    }
    if (!last->refusal.empty()) {
        const std::u16string text = noPlot(last->refusal, *last);
        return {text, text};
    }
    const FlowState &flow = model.state();
    const std::u16string header = inputsAndBeta(*last, flow);
    // At Mach one the pressure plot keeps its axes and says why it has no
    // curve.
    const std::u16string pressure = !isSubsonic(flow) && flow.Beta == 0
                                        ? u" Eğri yok:" + std::u16string(messages::machOne) + u"."
                                        : pressureCurve(flow);
    const std::u16string verdict = u" " + verdictSentence(*last->validity);
    return {header + flowPicture(flow) + flowLayers(model) + verdict,
            header + pressure + pressureLayers(model) + verdict};
}

std::u16string spoken(double value) {
    if (std::isinf(value)) {
        return value < 0 ? u"-∞" : u"∞";
    }
    return numberToText(rounded(value));
}

} // namespace wavywall
