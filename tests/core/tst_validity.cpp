// Where linear theory holds, and what the subsonic wall and the second-order
// layer draw. Expected values are the references and values worked
// out apart from the program (gamma = 1.4, in double precision, from the
// textbook formulas as written: nu(M), C2 = ((gamma+1) M^4 - 4 beta^2) /
// (2 beta^4), Cp* and the subsonic streamline y = h + H exp(-2 pi beta' h)
// cos(2 pi x)); the inputs that straddle a verdict's boundary were solved
// for from the same formulas.
#include "model/secondorder.h"
#include "model/validity.h"
#include "model/validityreport.h"
#include "tests/core/check.h"
#include "tests/support/fakes.h"

#include <cmath>

using namespace wavywall;
using wavywall::testing::ModelRig;

namespace {

constexpr double degree = 3.141592653589793 / 180;

bool near(double actual, double expected, double tolerance) {
    return std::abs(actual - expected) <= tolerance;
}

void prandtlMeyerAngles() {
    const struct {
        double M;
        double nuDegrees;
    } rows[] = {{2, 26.3798}, {1.5, 11.9052}, {1.2, 3.5582}, {1.01, 0.044725}, {1, 0}};
    for (const auto &row : rows) {
        CHECK(near(prandtlMeyer(row.M) / degree, row.nuDegrees, 5e-5));
    }
}

struct Assessed {
    double Moo;
    double HbL;
    Verdict verdict;
    double thetaMaxDegrees;
    double r;       // supersonic; below Mach one the smallest Cp
    double cdOrCps; // supersonic c_d; below Mach one Cp*
};

const Assessed assessed[] = {
    {2, 0.01, Verdict::good, 3.5952737798681755, 0.07970239806433482, 0.0022792875031056228},
    {2, 0.02, Verdict::rough, 7.162455806725823, 0.15878203963838305, 0.009117150012422491},
    {-2, -0.01, Verdict::good, 3.5952737798681755, 0.07970239806433482, 0.0022792875031056228},
    {1.2, 0.01, Verdict::sonic, 3.5952737798681755, 0.17289115963089186, 0.005951595386846132},
    {2, 0.05, Verdict::poor, 17.44059449051187, 0.38663459020703284, 0.05698218757764057},
    {1.5, 0.05, Verdict::sonic, 17.44059449051187, 0.3893316255242874, 0.08827642540746762},
    {2, 0.01255, Verdict::good, NAN, NAN, NAN},
    {2, 0.01256, Verdict::rough, NAN, NAN, NAN},
    {2, 0.0383, Verdict::rough, NAN, NAN, NAN},
    {2, 0.0384, Verdict::poor, NAN, NAN, NAN},
    {1.2, 0.0098, Verdict::rough, NAN, NAN, NAN},
    {1.2, 0.0099, Verdict::sonic, NAN, NAN, NAN},
    {1, 0, Verdict::sonic, 0, NAN, NAN},
    {0.5, 0.05, Verdict::subcritical, NAN, -0.7255197456936872, -2.133402668349714},
    {0.8, 0.0207, Verdict::subcritical, NAN, NAN, -0.4346404791552307},
    {0.8, 0.0208, Verdict::sonic, NAN, NAN, -0.4346404791552307},
    {-0.3, 0.2, Verdict::subcritical, NAN, -2.6346271535321235, -6.9473153258860725},
};

void quantitiesAndVerdicts() {
    for (const Assessed &a : assessed) {
        const Validity v = assessValidity(a.Moo, a.HbL);
        CHECK(v.verdict == a.verdict);
        const auto agrees = [](double actual, double expected) {
            return std::isnan(expected) || testing::agrees12(actual, expected);
        };
        CHECK(agrees(v.thetaMax / degree, a.thetaMaxDegrees));
        CHECK(agrees(v.supersonic ? v.r : v.cpMin, a.r));
        CHECK(agrees(v.supersonic ? v.cd : v.cpStar, a.cdOrCps));
    }
    const Validity atTwo = assessValidity(2, 0.01);
    CHECK(near(atTwo.C1, 1.154701, 5e-7) && near(atTwo.C2, 1.466667, 5e-7));
}

// The subsonic wall, typed 0.5 and 0.05: streamlines straight above the wall
// that decay with height, no Mach lines, Cp = -4 pi (H/L) cos(2 pi x) / beta'.
void subsonicWall() {
    ModelRig rig;
    rig.boxes.moo = u"0.5";
    rig.boxes.hbl = u"0.05";
    rig.model.Command1_Click();
    CHECK(rig.messages.shown.empty());
    const auto &flow = rig.flowCanvas.lines();
    CHECK(flow.size() == 902u);
    for (const RecordedLine &line : flow) {
        CHECK(line.colour != colours::green);
    }
    // Streamline j, segment i ends at x = 2i/100 and y as the formula gives.
    const struct {
        int i, j;
        double y;
    } points[] = {
        {25, 1, 0.16947497873273362}, {10, 4, 0.7502609609317309}, {100, 8, 1.5000142631764888}};
    for (const auto &p : points) {
        const RecordedLine &line = flow[2 + 100 * p.j + p.i - 1];
        CHECK(line.colour == colours::blue && line.x2 == static_cast<float>(p.i / 50.0));
        CHECK(line.y2 == static_cast<float>(-p.y));
    }
    const auto &pressure = rig.pressureCanvas.lines();
    CHECK(pressure.size() == 102u);
    CHECK(pressure[2].x1 == 0 && pressure[2].y1 == static_cast<float>(0.7255197456936872));
    CHECK(pressure[2].colour == colours::blue && pressure[26].colour == colours::red);
}

// The second-order layer: drawn only while a layer is given, in a colour of
// its own, empty below Mach one; the linear plots the same either way.
void secondOrderLayer() {
    ModelRig rig;
    RecordingCanvas layer;
    rig.boxes.moo = u"2";
    rig.model.Command1_Click();
    const auto linear = rig.pressureCanvas.lines();
    CHECK(layer.operations().empty());
    rig.model.setSecondOrderLayer(&layer);
    CHECK(layer.lines().size() == 100u && layer.lines()[0].colour == colours::purple);
    // theta(0.2) = atan(-2 pi 0.01 sin(0.4 pi)): Cp2 = C1 theta + C2 theta^2.
    CHECK(layer.lines()[9].x2 == 0.2f);
    CHECK(near(-layer.lines()[9].y2, -0.0636942503294645, 1e-7));
    rig.model.Command1_Click();
    CHECK(layer.lines().size() == 100u && layer.clearCount() == 2);
    CHECK(rig.pressureCanvas.lines().size() == linear.size());
    rig.boxes.moo = u"0.5";
    rig.model.Command1_Click();
    CHECK(layer.lines().empty());
    rig.model.setSecondOrderLayer(nullptr);
    rig.boxes.moo = u"2";
    rig.model.Command1_Click();
    CHECK(layer.clearCount() == 3 && layer.lines().empty());
}

// The verdict in words where it was wrong or misleading: a steep subsonic
// wall judged by its second-order share (pi H/L) and held against the
// stagnation pressure, a supersonic one whose linear Cp would mean a
// vacuum, the compression that slows the flow to sound speed, and Mach one
// whatever the wall.
void verdictsInWords() {
    const struct {
        double Moo, HbL;
        std::u16string_view begins;
    } rows[] = {
        {0.01, 0.2, u"Doğrusal teori geçersiz: en büyük Cp = 2.513 > durma basıncının Cp0 = 1"},
        {0.5, 0.05, u"Doğrusal teori geçerli, kaba: ikinci mertebe payı r = 0.1571, 0.1 ile"},
        {5, 0.03, u"Doğrusal teori geçersiz: en küçük doğrusal Cp = -0.07695 < −2/(γ·Moo²)"},
        {1.2, 0.01,
         u"Doğrusal teori geçersiz: en dik duvar açısı θmax = 3.595° ≥ ν = 3.558°, "
         u"yükselen yüzde akım ses hızına yavaşlar."},
        {1, 0, u"Doğrusal teori geçersiz: Moo = 1 için β = 0"},
    };
    for (const auto &row : rows) {
        const std::u16string sentence = verdictSentence(assessValidity(row.Moo, row.HbL));
        CHECK_ROW(sentence.starts_with(row.begins), std::to_string(row.Moo));
    }
}

const check::Case cases[] = {
    {"verdicts in words", verdictsInWords},
    {"Prandtl-Meyer angles", prandtlMeyerAngles},
    {"quantities and verdicts", quantitiesAndVerdicts},
    {"the subsonic wall", subsonicWall},
    {"the second-order layer", secondOrderLayer},
};

} // namespace

int main() {
    return check::runAll(cases);
}
