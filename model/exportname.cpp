#include "model/exportname.h"

#include "model/textnumber.h"

namespace wavywall {

namespace {

std::u16string inputs(const Recalculation &last) {
    return u"-Moo" + (last.Moo ? numberToText(*last.Moo) : u"") + u"-HbL" +
           (last.HbL ? numberToText(*last.HbL) : u"");
}

} // namespace

std::u16string exportName(Plot plot, const Recalculation &last) {
    return (plot == Plot::flow ? u"wavywall-akim" : u"wavywall-basinc") + inputs(last);
}

std::u16string exportName(const Recalculation &last) {
    return u"wavywall" + inputs(last);
}

} // namespace wavywall
