#include "model/validityreport.h"

#include "model/plotdescription.h"
#include "model/simplewave.h"
#include "model/textnumber.h"

#include <cmath>

namespace wavywall {

namespace {

std::u16string degrees(double radians) {
    return spoken(radians * 45 / std::atan(1.0)) + u"°";
}

std::u16string bandWords(Verdict band) {
    switch (band) {
    case Verdict::good:
        return u"iyi";
    case Verdict::rough:
        return u"kaba";
    default:
        return u"zayıf";
    }
}

std::u16string shareText(double r, Verdict band) {
    const std::u16string share = u"ikinci mertebe payı r = " + spoken(r);
    switch (band) {
    case Verdict::good:
        return share + u" ≤ 0.1";
    case Verdict::rough:
        return share + u", 0.1 ile 0.3 arasında";
    default:
        return share + u" > 0.3";
    }
}

// At Mach one beta vanishes and the linear Cp = 2 theta / beta has no
// finite value, whatever the wall.
std::u16string supersonicVerdict(const Validity &v) {
    if (v.beta == 0) {
        return u"Doğrusal teori geçersiz: Moo = 1 için β = 0, doğrusal Cp = 2θ/β sonlu değil.";
    }
    // Sound speed on the wall comes first: a vacuum below it is beside the
    // point.
    if (v.limit == Limit::vacuum && v.verdict != Verdict::sonic) {
        return u"Doğrusal teori geçersiz: en küçük doğrusal Cp = " + spoken(v.cpMin) +
               u" < −2/(γ·Moo²) = " + spoken(v.cpVacuum) + u", mutlak basınç eksi olurdu.";
    }
    switch (v.verdict) {
    case Verdict::good:
    case Verdict::rough:
    case Verdict::poor:
        return u"Doğrusal teori " + bandWords(v.verdict) + u": " + shareText(v.r, v.verdict) + u".";
    default:
        return u"Doğrusal teori geçersiz: en dik duvar açısı θmax = " + degrees(v.thetaMax) +
               u" ≥ ν = " + degrees(v.nu) + u", yükselen yüzde akım ses hızına yavaşlar.";
    }
}

std::u16string subsonicVerdict(const Validity &v) {
    const std::u16string cps = u"en küçük Cp = " + spoken(v.cpMin);
    if (v.limit == Limit::stagnation) {
        return u"Doğrusal teori geçersiz: en büyük Cp = " + spoken(v.cpMax) +
               u" > durma basıncının Cp0 = " + spoken(v.cpStagnation) + u", olanaksız.";
    }
    if (v.verdict == Verdict::sonic) {
        return u"Doğrusal teori geçersiz: " + cps + u" ≤ Cp* = " + spoken(v.cpStar) +
               u", tepe üzerinde akım ses hızına ulaşır.";
    }
    return u"Doğrusal teori geçerli, " + bandWords(v.band) + u": " + shareText(v.r, v.band) +
           u"; " + cps + u" > Cp* = " + spoken(v.cpStar) + u", akım her yerde ses altı kalır.";
}

const std::u16string cdMeaning = u" (dalga direnci katsayısı: birim genişlik başına, bir dalga "
                                 u"boyu üzerinden)";

// The Cp at the steepest compression (largest) or expansion (smallest) of
// each theory: linear, second order and the exact simple wave.
std::u16string cpTheories(const Validity &v, const FlowState &flow, bool largest) {
    const double sign = largest ? 1 : -1;
    const Busemann b = busemann(v.beta);
    const double theta = sign * v.thetaMax;
    const double x = (largest == (flow.H > 0) ? 0.75 : 0.25) * flow.L;
    const std::optional<WallState> w = simpleWaveAt(flow, x);
    return std::u16string(largest ? u"en büyük Cp: " : u"en küçük Cp: ") + u"doğrusal " +
           spoken(-sign * v.cpMin) + u", ikinci mertebe " +
           spoken(b.C1 * theta + b.C2 * theta * theta) + u", basit dalga " +
           (w ? spoken(w->Cp) : u"yok (ses hızı)");
}

std::u16string shockLine(const FlowState &flow) {
    const std::optional<ShockPoint> s = shockPoint(flow);
    if (!s) {
        return u"şok: yok (düz duvar)";
    }
    if (s->atWall) {
        return u"şok: duvarda, x = " + spoken(s->x);
    }
    return u"şok: x = " + spoken(s->x) + u", y = " + spoken(s->y);
}

void addSupersonic(const Validity &v, const FlowState &flow, std::vector<std::u16string> &lines) {
    lines.push_back(u"β = " + spoken(v.beta));
    lines.push_back(u"θmax = " + degrees(v.thetaMax));
    lines.push_back(u"ν = " + degrees(v.nu));
    // At Mach one mu, r and c_d have no value; the message says why.
    if (v.beta == 0) {
        return;
    }
    lines.push_back(u"μ∞ = " + degrees(v.mu));
    lines.push_back(u"r = " + spoken(v.r));
    lines.push_back(u"c_d = " + spoken(v.cd) + cdMeaning);
    if (hasSimpleWave(flow)) {
        lines.push_back(cpTheories(v, flow, true));
        lines.push_back(cpTheories(v, flow, false));
        lines.push_back(shockLine(flow));
    }
}

void addSubsonic(const Validity &v, std::vector<std::u16string> &lines) {
    lines.push_back(u"β′ = " + spoken(v.beta));
    lines.push_back(u"θmax = " + degrees(v.thetaMax));
    lines.push_back(u"r = " + spoken(v.r));
    lines.push_back(u"en küçük Cp = " + spoken(v.cpMin));
    lines.push_back(u"Cp* = " + spoken(v.cpStar));
    lines.push_back(u"Cp0 = " + spoken(v.cpStagnation));
    lines.push_back(u"c_d = 0" + cdMeaning);
}

} // namespace

std::u16string verdictSentence(const Validity &validity) {
    return validity.supersonic ? supersonicVerdict(validity) : subsonicVerdict(validity);
}

std::vector<std::u16string> validityLines(const FlowModel &model) {
    const std::optional<Recalculation> &last = model.lastRecalculation();
    if (!last) {
        return {u"Henüz hesap yapılmadı."};
    }
    std::vector<std::u16string> lines;
    if (last->Moo && last->HbL) {
        lines.push_back(u"Moo = " + numberToText(*last->Moo));
        lines.push_back(u"H/L = " + numberToText(*last->HbL));
    }
    if (!last->validity) {
        lines.push_back(u"Hesap iletiyle bitti:" + std::u16string(last->refusal));
        return lines;
    }
    const Validity &v = *last->validity;
    v.supersonic ? addSupersonic(v, model.state(), lines) : addSubsonic(v, lines);
    if (v.supersonic && v.beta == 0) {
        lines.push_back(u"Hesap iletiyle bitti:" + std::u16string(messages::machOne));
    }
    lines.push_back(verdictSentence(v));
    return lines;
}

} // namespace wavywall
