// Fuzzes the reading of a text box: any text, read as UTF-8, must read as the
// independent oracle reads it (the same double, or both beyond range), and
// every normal value must survive being written by a scroll bar and read back.
#include "model/textnumber.h"
#include "tests/support/numberoracle.h"

#include <QString>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>

namespace {

void fail(const char *what, const QString &text, std::optional<double> ours,
          std::optional<double> theirs) {
    std::fprintf(stderr, "%s\n  text: \"%s\"\n  program: %.17g%s\n  oracle:  %.17g%s\n", what,
                 qPrintable(text.left(200)), ours.value_or(0), ours ? "" : " (beyond range)",
                 theirs.value_or(0), theirs ? "" : " (beyond range)");
    std::abort();
}

// A scroll bar writes 15 significant digits; reading them back and writing
// again must give the same text, or the box would drift on every round trip.
// Subnormal numbers carry fewer than 15 digits, and the 15-digit form of the
// very largest doubles rounds past the end of the range.
void checkWriteRead(double value) {
    if (!std::isnormal(value) || std::abs(value) > 1e308) {
        return;
    }
    const std::u16string written = wavywall::numberToText(value);
    const std::optional<double> back = wavywall::textToNumber(written);
    if (!back || wavywall::numberToText(*back) != written) {
        fail("written text does not read back", QString::fromStdU16String(written), back, value);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const std::u16string utf16 = text.toStdU16String();
    const std::optional<double> ours = wavywall::textToNumber(utf16);
    const std::optional<double> theirs = wavywall::fuzz::oracleNumber(utf16);
    if (!wavywall::fuzz::sameReading(ours, theirs)) {
        fail("readings differ", text, ours, theirs);
    }
    if (ours && !std::isfinite(*ours)) {
        fail("reading is not a finite number", text, ours, theirs);
    }
    if (ours) {
        checkWriteRead(*ours);
    }
    return 0;
}
