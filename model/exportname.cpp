#include "model/exportname.h"

#include "model/textnumber.h"

namespace wavywall {

std::u16string exportName(Plot plot, const Recalculation &last) {
    std::u16string name = plot == Plot::flow ? u"wavywall-akim" : u"wavywall-basinc";
    name += u"-Moo" + (last.Moo ? numberToText(*last.Moo) : u"");
    name += u"-HbL" + (last.HbL ? numberToText(*last.HbL) : u"");
    return name;
}

} // namespace wavywall
