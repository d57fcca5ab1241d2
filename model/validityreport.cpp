#include "model/validityreport.h"

#include "model/plotdescription.h"
#include "model/textnumber.h"

#include <cmath>

namespace wavywall {

namespace {

std::u16string degrees(double radians) {
    return spoken(radians * 45 / std::atan(1.0)) + u"°";
}

std::u16string supersonicVerdict(const Validity &v) {
    const std::u16string share = u"ikinci mertebe payı r = " + spoken(v.r);
    switch (v.verdict) {
    case Verdict::good:
        return u"Doğrusal teori iyi: " + share + u" ≤ 0.1.";
    case Verdict::rough:
        return u"Doğrusal teori kaba: " + share + u", 0.1 ile 0.3 arasında.";
    case Verdict::poor:
        return u"Doğrusal teori zayıf: " + share + u" > 0.3.";
    default:
        return u"Doğrusal teori geçersiz: en dik duvar açısı θmax = " + degrees(v.thetaMax) +
               u" ≥ ν = " + degrees(v.nu) + u", yükselen yüzde akım ses hızına ulaşır.";
    }
}

std::u16string subsonicVerdict(const Validity &v) {
    const std::u16string cps = u"en küçük Cp = " + spoken(v.cpMin);
    if (v.verdict == Verdict::sonic) {
        return u"Doğrusal teori geçersiz: " + cps + u" ≤ Cp* = " + spoken(v.cpStar) +
               u", tepe üzerinde akım ses hızına ulaşır.";
    }
    return u"Doğrusal teori geçerli: " + cps + u" > Cp* = " + spoken(v.cpStar) +
           u", akım her yerde ses altı kalır.";
}

void addSupersonic(const Validity &v, std::vector<std::u16string> &lines) {
    lines.push_back(u"β = " + spoken(v.beta));
    lines.push_back(u"θmax = " + degrees(v.thetaMax));
    lines.push_back(u"ν = " + degrees(v.nu));
    // At Mach one r and c_d have no value; the message says why.
    if (v.beta == 0) {
        return;
    }
    lines.push_back(u"r = " + spoken(v.r));
    lines.push_back(u"c_d = " + spoken(v.cd));
}

void addSubsonic(const Validity &v, std::vector<std::u16string> &lines) {
    lines.push_back(u"β′ = " + spoken(v.beta));
    lines.push_back(u"θmax = " + degrees(v.thetaMax));
    lines.push_back(u"en küçük Cp = " + spoken(v.cpMin));
    lines.push_back(u"Cp* = " + spoken(v.cpStar));
    lines.push_back(u"c_d = 0");
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
    v.supersonic ? addSupersonic(v, lines) : addSubsonic(v, lines);
    if (v.supersonic && v.beta == 0) {
        lines.push_back(u"Hesap iletiyle bitti:" + std::u16string(messages::machOne));
    }
    lines.push_back(verdictSentence(v));
    return lines;
}

} // namespace wavywall
