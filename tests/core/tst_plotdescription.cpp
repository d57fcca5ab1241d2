// What the plots are said to show after each kind of recalculation: the
// inputs and Beta, the pressure curve's extremes and sign changes, the
// message when a plot has no curve, and that the plots are empty before any
// recalculation. The expected numbers were worked out apart from the program,
// from Cp = -4 pi (H/L) sin(2 pi x) / Beta on x = 0, 0.02, ..., 2, to four
// significant digits.
#include "model/plotdescription.h"
#include "tests/core/check.h"
#include "tests/support/fakes.h"

#include <string>

using namespace wavywall;
using wavywall::testing::ModelRig;

namespace {

void checkText(const char *what, std::u16string_view actual, std::u16string_view expected) {
    if (actual != expected) {
        check::fail(__FILE__, __LINE__,
                    std::string(what) + "\n    actual:   " + check::utf8(actual) +
                        "\n    expected: " + check::utf8(expected));
    }
}

// The flow picture's words, with its numbers worked out from
// mu = atan(1 / Beta), the top streamline's shift 1.5 Beta, and the
// streamlines whose end 2 + Beta h lies beyond the right edge at x = 3.8.
std::u16string flowPicture(std::u16string_view angle, std::u16string_view shift,
                           std::u16string_view leaving = {}) {
    return u" Kırmızı duvar, 9 yeşil Mach çizgisi ve 8 mavi akım çizgisi. Mach açısı " +
           std::u16string(angle) +
           u" derece. Her akım çizgisi duvarın biçimini Mach çizgileri boyunca akış yönünde "
           u"kaymış olarak tekrarlar; en üstteki " +
           std::u16string(shift) + u" dalga boyu kaymıştır." +
           (leaving.empty() ? u" Akım çizgilerinin hepsi çizimin içinde kalır."
                            : u" Sağ kenarda çizimin dışına çıkan akım çizgisi sayısı: " +
                                  std::u16string(leaving) + u".");
}
const std::u16string nearMachOne = flowPicture(u"81.93", u"0.2127");
const std::u16string oneStepUp = flowPicture(u"78.64", u"0.3015");

// The positions of the extremes and the sign changes of a curve with
// positive H: expansion first, compression after each trough.
constexpr std::u16string_view positiveWave = u"(x = 0.74, 0.76, 1.74, 1.76), en küçük Cp = ";
constexpr std::u16string_view positiveWaveLows =
    u" (x = 0.24, 0.26, 1.24, 1.26). Cp işaret değiştirir: x = 0.5, 1, 1.5. Cp ≥ 0 kırmızı, "
    u"Cp < 0 mavi.";

// The verdict that ends each description of a drawn plot, for the steepest
// wall angle atan(2 pi H/L) against the Prandtl-Meyer angle of Moo, both in
// degrees to four digits (worked out apart from the program).
std::u16string sonic(std::u16string_view thetaMax, std::u16string_view nu) {
    return u" Doğrusal teori geçersiz: en dik duvar açısı θmax = " + std::u16string(thetaMax) +
           u"° ≥ ν = " + std::u16string(nu) + u"°, yükselen yüzde akım ses hızına yavaşlar.";
}
const std::u16string at101 = sonic(u"3.595", u"0.04472");
const std::u16string at102 = sonic(u"3.595", u"0.1257");
const std::u16string machOneVerdict =
    u" Doğrusal teori geçersiz: Moo = 1 için β = 0, doğrusal Cp = 2θ/β sonlu değil.";
const std::u16string flatGood = u" Doğrusal teori iyi: ikinci mertebe payı r = 0 ≤ 0.1.";

// Below Mach one, Cp = -4 pi (H/L) cos(2 pi x) / beta' with beta' = sqrt(0.75)
// and the critical Cp of Moo = 0.5.
constexpr std::u16string_view subsonicHeader = u"Moo = 0.5, H/L = 0.01, Beta′ = 0.866.";
constexpr std::u16string_view subsonicVerdict =
    u" Doğrusal teori geçerli, iyi: ikinci mertebe payı r = 0.03142 ≤ 0.1; en küçük Cp = -0.1451 "
    u"> Cp* = -2.133, akım her yerde ses altı kalır.";

// The typed texts are built as strings before they are moved into the boxes:
// GCC 12 warns falsely (-Wrestrict) about the inlined copy of a literal in
// optimised builds.
struct Described {
    const char *name;
    void (*act)(ModelRig &);
    std::u16string flow;
    std::u16string pressure;
};

const Described described[] = {
    {"before any recalculation", [](ModelRig &) {}, u"Çizim boş: henüz hesap yapılmadı.",
     u"Çizim boş: henüz hesap yapılmadı."},
    {"the starting texts calculated", [](ModelRig &r) { r.model.Command1_Click(); },
     u"Moo = 1.01, H/L = 0.01, Beta = 0.1418." + nearMachOne + at101,
     u"Moo = 1.01, H/L = 0.01, Beta = 0.1418. En büyük Cp = 0.8846 " +
         std::u16string(positiveWave) + u"-0.8846" + std::u16string(positiveWaveLows) + at101},
    {"one step of the Mach-number bar", [](ModelRig &r) { r.model.HScroll_Moo_Change(102); },
     u"Moo = 1.02, H/L = 0.01, Beta = 0.201." + oneStepUp + at102,
     u"Moo = 1.02, H/L = 0.01, Beta = 0.201. En büyük Cp = 0.624 " + std::u16string(positiveWave) +
         u"-0.624" + std::u16string(positiveWaveLows) + at102},
    {"both bars at their ends",
     [](ModelRig &r) {
         r.model.HScroll_Moo_Change(200);
         r.model.HScroll_HbL_Change(20);
     },
     u"Moo = 2, H/L = 0.2, Beta = 1.732." + flowPicture(u"30", u"2.598", u"3") +
         sonic(u"51.49", u"26.38"),
     u"Moo = 2, H/L = 0.2, Beta = 1.732. En büyük Cp = 1.448 " + std::u16string(positiveWave) +
         u"-1.448" + std::u16string(positiveWaveLows) + sonic(u"51.49", u"26.38")},
    {"a negative height mirrors the curve",
     [](ModelRig &r) {
         r.boxes.hbl = std::u16string(u"-0.01");
         r.model.Command1_Click();
     },
     u"Moo = 1.01, H/L = -0.01, Beta = 0.1418." + nearMachOne + at101,
     u"Moo = 1.01, H/L = -0.01, Beta = 0.1418. En büyük Cp = 0.8846 (x = 0.24, 0.26, 1.24, "
     u"1.26), en küçük Cp = -0.8846 (x = 0.74, 0.76, 1.74, 1.76). Cp işaret değiştirir: x = "
     u"0.5, 1, 1.5. Cp ≥ 0 kırmızı, Cp < 0 mavi." +
         at101},
    {"a curve taller than the plot is cut",
     [](ModelRig &r) {
         r.boxes.hbl = std::u16string(u"0.1");
         r.model.Command1_Click();
     },
     u"Moo = 1.01, H/L = 0.1, Beta = 0.1418." + nearMachOne + sonic(u"32.14", u"0.04472"),
     u"Moo = 1.01, H/L = 0.1, Beta = 0.1418. En büyük Cp = 8.846 " + std::u16string(positiveWave) +
         u"-8.846" + std::u16string(positiveWaveLows) +
         u" Eğrinin -5.5 ile 5.5 aralığı dışındaki kısmı çizimde kesilir." +
         sonic(u"32.14", u"0.04472")},
    {"a flat wall",
     [](ModelRig &r) {
         r.boxes.hbl = std::u16string(u"0");
         r.model.Command1_Click();
     },
     u"Moo = 1.01, H/L = 0, Beta = 0.1418." + nearMachOne + flatGood,
     u"Moo = 1.01, H/L = 0, Beta = 0.1418. Cp her yerde 0: eğri eksenin üzerinde." + flatGood},
    {"Mach one draws the flow and no curve",
     [](ModelRig &r) {
         r.boxes.moo = std::u16string(u"1,5");
         r.model.Command1_Click();
     },
     u"Moo = 1, H/L = 0.01, Beta = 0. Kırmızı duvar, 9 yeşil Mach çizgisi ve 8 mavi akım "
     u"çizgisi. Mach açısı 90 derece: Mach çizgileri dikeydir. Her akım çizgisi duvarın "
     u"biçimini kaymadan, duvarın tam üzerinde tekrarlar. Akım çizgilerinin hepsi çizimin "
     u"içinde kalır." +
         machOneVerdict,
     u"Moo = 1, H/L = 0.01, Beta = 0. Eğri yok: Moo=1 için teori geçersiz." + machOneVerdict},
    {"a subsonic Mach number draws the subsonic wall",
     [](ModelRig &r) {
         r.boxes.moo = std::u16string(u"0.5");
         r.model.Command1_Click();
     },
     std::u16string(subsonicHeader) +
         u" Kırmızı duvar ve 8 mavi akım çizgisi; ses altı akımda Mach çizgisi yok, akım "
         u"çizgileri duvarın biçimini duvardan uzaklaştıkça sönerek tekrarlar." +
         std::u16string(subsonicVerdict),
     std::u16string(subsonicHeader) +
         u" En büyük Cp = 0.1451 (x = 0.5, 1.5), en küçük Cp = -0.1451 (x = 0, 1, 2). Cp işaret "
         u"değiştirir: x = 0.25, 0.75, 1.25, 1.75. Cp ≥ 0 kırmızı, Cp < 0 mavi." +
         std::u16string(subsonicVerdict)},
    {"a Mach number read as 0 draws nothing",
     [](ModelRig &r) {
         r.boxes.moo = std::u16string(u"0,8");
         r.model.Command1_Click();
     },
     u"Çizim yok: Mach sayısı 0 olarak okundu. Moo = 0, H/L = 0.01.",
     u"Çizim yok: Mach sayısı 0 olarak okundu. Moo = 0, H/L = 0.01."},
    {"a number beyond a double draws nothing",
     [](ModelRig &r) {
         r.boxes.moo = std::u16string(u"1E999");
         r.model.Command1_Click();
     },
     u"Çizim yok: Girilen değer çok büyük.", u"Çizim yok: Girilen değer çok büyük."},
    {"a Mach number too large for the plots draws nothing",
     [](ModelRig &r) {
         r.boxes.moo = std::u16string(u"1E200");
         r.model.Command1_Click();
     },
     u"Çizim yok: Girilen değer çok büyük. Moo = 1E+200, H/L = 0.01.",
     u"Çizim yok: Girilen değer çok büyük. Moo = 1E+200, H/L = 0.01."},
    {"a drawing after a refusal is described anew",
     [](ModelRig &r) {
         r.boxes.moo = std::u16string(u"0");
         r.model.Command1_Click();
         r.model.HScroll_Moo_Change(102);
     },
     u"Moo = 1.02, H/L = 0.01, Beta = 0.201." + oneStepUp + at102,
     u"Moo = 1.02, H/L = 0.01, Beta = 0.201. En büyük Cp = 0.624 " + std::u16string(positiveWave) +
         u"-0.624" + std::u16string(positiveWaveLows) + at102},
};

void eachRecalculationIsDescribed() {
    for (const Described &d : described) {
        ModelRig rig;
        d.act(rig);
        const PlotDescriptions said = describePlots(rig.model);
        checkText(d.name, said.flow, d.flow);
        checkText(d.name, said.pressure, d.pressure);
    }
}

// The model's record of its last recalculation: the inputs as read, the
// bar's own value among them, and the message of a refusal.
void theModelRecordsItsLastRecalculation() {
    ModelRig rig;
    CHECK(!rig.model.lastRecalculation());
    rig.boxes.hbl = u"0.05";
    rig.model.HScroll_Moo_Change(150);
    CHECK(rig.model.lastRecalculation());
    CHECK(rig.model.lastRecalculation()->Moo == 1.5);
    CHECK(rig.model.lastRecalculation()->HbL == 0.05);
    CHECK(rig.model.lastRecalculation()->refusal.empty());
    rig.boxes.moo = u"abc";
    rig.model.Command1_Click();
    CHECK(rig.model.lastRecalculation()->Moo == 0.0);
    CHECK(rig.model.lastRecalculation()->refusal == messages::machZero);
    rig.boxes.hbl = u"1E400";
    rig.model.Command1_Click();
    CHECK(!rig.model.lastRecalculation()->HbL);
    CHECK(rig.model.lastRecalculation()->refusal == messages::tooLarge);
}

const check::Case cases[] = {
    {"each recalculation is described", eachRecalculationIsDescribed},
    {"the model records its last recalculation", theModelRecordsItsLastRecalculation},
};

} // namespace

int main() {
    return check::runAll(cases);
}
