// Reading numbers from the text boxes and writing the scroll bars' values:
// the leading number of a text, correctly rounded to the bit, the refusal of
// what no double holds, the shortest text written back, and the point kept
// under a comma locale.
#include "model/textnumber.h"
#include "tests/core/check.h"

#include <cfloat>
#include <clocale>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>

using namespace wavywall;

namespace {

std::u16string repeated(std::u16string_view prefix, std::size_t count, char16_t digit) {
    return std::u16string(prefix) + std::u16string(count, digit);
}

struct Reading {
    std::u16string text;
    double expected;
};

// The leading number of each text, compared bit for bit (signed zeros too).
// Among them values whose bits a C library with a rounding fault gets wrong:
// halfway cases, the edge of the subnormals, long mantissas, and whole
// numbers wider than a double's 53 bits.
const Reading readings[] = {
    {u"1.01", 1.01},
    {u" 1.5abc", 1.5},
    {u"1,5", 1.0},
    {u"abc", 0.0},
    {u"", 0.0},
    {u"-1.2", -1.2},
    {u"2e1", 20.0},
    {u"+.5", 0.5},
    {u"5.", 5.0},
    {u".", 0.0},
    {u"-", 0.0},
    {u"--1", 0.0},
    {u"1.2.3", 1.2},
    {u"1e", 1.0},
    {u"1e+", 1.0},
    {u"1E-2", 0.01},
    {u"1.5e+3", 1500.0},
    {u"1e5e3", 1e5},
    {u"1d5", 1.0},
    {u"1 . 5", 1.5},
    {u" - 1 . 5 e 2", -150.0},
    {u"\t-\n2", -2.0},
    {u"1\r5", 1.0},
    {u"nan", 0.0},
    {u"Infinity", 0.0},
    // Text pasted from a PDF or a web page: look-alikes read as what they
    // look like, Unicode spaces and invisible marks as blanks; every other
    // character keeps its meaning.
    {u"\u22121.2", -1.2},                  // minus sign
    {u"\uFF11\uFF0E\uFF15", 1.5},          // full-width digits and point
    {u"\uFF0D\uFF10\uFF0E\uFF15", -0.5},   // full-width minus
    {u"\uFF0B\uFF12e\u22122", 0.02},       // full-width plus, minus in the exponent
    {u"\u00A01.5", 1.5},                   // no-break space
    {u"1\u202F000\u2009.\u200A5", 1000.5}, // narrow, thin and hair spaces
    {u"\u3000\u200B\uFEFF2\u2060", 2.0},   // ideographic space, zero-width marks
    {u"\u200E\u22121\u200F", -1.0},        // direction marks
    {u"1\uFF0C5", 1.0},                    // a full-width comma ends the number
    {u"\u20131", 0.0},                     // an en dash is no minus
    {u"1\u066B5", 1.0},
    {std::u16string(u"2\0003", 3), 2.0},
    {u"0000000000000000000000001.25", 1.25},
    {u"1.7976931348623157e308", DBL_MAX},
    {u"1e308", 1e308},
    {u"0e99999", 0.0},
    {u"1e-400", 0.0},
    {u"-1e-400", -0.0},
    {u"5e-99999999999999999999999", 0.0},
    {u"4.9406564584124654e-324", std::numeric_limits<double>::denorm_min()},
    {u"2.2250738585072011e-308", 2.2250738585072011e-308},
    {u"9007199254740993", 9007199254740992.0},
    {u"9007199254740995", 9007199254740996.0},
    {u"0.30000000000000001666", 0.30000000000000004},
    {u"123456789012345e-22", 123456789012345e-22},
    {u"999999999999999e22", 999999999999999e22},
    {u"1e23", 1e23},
    {u"0.000000000000000000000012345", 1.2345e-23},
    {u"8.98846567431158e307", 8.98846567431158e307},
    {u"&H10", 16.0},
    {u"&hff", 255.0},
    {u"&HFFFF", 65535.0},
    {u"&HFFFFFFFFFFFFFFFFFF", 4722366482869645213696.0},
    {u"&H20000000000001", 9007199254740992.0},
    {u"&H20000000000003", 9007199254740996.0},
    {u" & H 1 F", 31.0},
    {u"&H1G", 1.0},
    {u"&H", 0.0},
    {u"&H-1", 0.0},
    {u"&O17", 15.0},
    {u"&o777", 511.0},
    {u"&O78", 7.0},
    {u"&O9", 0.0},
    {repeated(u"&O", 30, u'7'), 1237940039285380274899124224.0},
    {u"&17", 0.0},
};

void readsTheLeadingNumber() {
    for (const Reading &r : readings) {
        const std::optional<double> value = textToNumber(r.text);
        CHECK_ROW(value && std::memcmp(&*value, &r.expected, sizeof(double)) == 0,
                  check::utf8(r.text));
    }
}

const std::u16string beyondDoubles[] = {
    u"1E999",
    u"-1E999",
    u"1.8e308",
    std::u16string(400, u'9'),
    u"1e99999999999999999999999",
    u"0.000001e400",
    repeated(u"&H", 300, u'F'),
    repeated(u"&O", 400, u'7'),
};

void refusesWhatNoDoubleHolds() {
    for (const std::u16string &text : beyondDoubles) {
        CHECK_ROW(!textToNumber(text), check::utf8(text));
    }
}

struct Writing {
    double value;
    std::u16string_view expected;
};

const Writing writings[] = {
    {1.01, u"1.01"},
    {1.5, u"1.5"},
    {2.0, u"2"},
    {0.2, u"0.2"},
    {0.05, u"0.05"},
    {-0.5, u"-0.5"},
    {0.0, u"0"},
    {-0.0, u"0"},
    {0.00001, u"1E-05"},
    {123456789012345.0, u"123456789012345"},
    {1234567890123456.0, u"1.23456789012346E+15"},
    {1.0 / 3, u"0.333333333333333"},
};

void writesTheShortestText() {
    for (const Writing &w : writings) {
        CHECK_ROW(numberToText(w.value) == w.expected, check::utf8(w.expected));
    }
}

// A process whose locale writes a comma (as a desktop toolkit sets it from
// the environment) still reads and writes the point.
void aCommaLocaleKeepsThePoint() {
    const char *comma = nullptr;
    for (const char *name : {"de_DE.UTF-8", "tr_TR.UTF-8", "fr_FR.UTF-8"}) {
        if ((comma = std::setlocale(LC_ALL, name)) != nullptr) {
            break;
        }
    }
    const bool writesComma = comma && std::strcmp(std::localeconv()->decimal_point, ",") == 0;
    for (const Writing &w : writings) {
        CHECK_ROW(numberToText(w.value) == w.expected, check::utf8(w.expected));
    }
    CHECK(textToNumber(u"1.5") == 1.5);
    CHECK(textToNumber(u"1,5") == 1.0);
    std::setlocale(LC_ALL, "C");
    if (!writesComma) {
        std::printf("  note: no comma locale on this system; checked under the C locale\n");
    }
}

// Every value the bars can write reads back as itself.
void barValuesReadBackAsThemselves() {
    for (int position = -200; position <= 200; ++position) {
        const double value = position / 100.0;
        const std::u16string text = numberToText(value);
        CHECK_ROW(textToNumber(text) == value, check::utf8(text));
    }
}

// Whether the rule read the whole text, and the note the front ends show
// where it did not.
struct Partly {
    std::u16string text;
    std::u16string note;
};
const Partly partlyRead[] = {
    {u" 0.05 ", u""},
    {u"", u""},
    {u"&H1F", u""},
    {u"1E999", u""},
    {u"0,05", u"yalnızca 0 okundu; virgül sayıyı bitirir, ondalık ayracı noktadır"},
    {u"1，5", u"yalnızca 1 okundu"},
    {u"1.5abc", u"yalnızca 1.5 okundu"},
    {u"1e", u"yalnızca 1 okundu"},
    {u"&H1G", u"yalnızca 1 okundu"},
    {u"+", u"yalnızca 0 okundu"},
};

void tellsATextReadInPart() {
    for (const Partly &row : partlyRead) {
        const NumberReading read = readNumber(row.text);
        CHECK_ROW(read.value == textToNumber(row.text), check::utf8(row.text));
        CHECK_ROW(read.whole == row.note.empty(), check::utf8(row.text));
        CHECK_ROW(partialReadingNote(read) == row.note, check::utf8(row.text));
    }
}

const check::Case cases[] = {
    {"reads the leading number", readsTheLeadingNumber},
    {"tells a text read in part", tellsATextReadInPart},
    {"refuses what no double holds", refusesWhatNoDoubleHolds},
    {"writes the shortest text", writesTheShortestText},
    {"a comma locale keeps the point", aCommaLocaleKeepsThePoint},
    {"bar values read back as themselves", barValuesReadBackAsThemselves},
};

} // namespace

int main() {
    return check::runAll(cases);
}
