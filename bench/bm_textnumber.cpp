// Reading a text box: the short texts a user types or a scroll bar writes,
// and long pasted ones, where the cost grows with the text.
#include "bench/spread.h"
#include "model/textnumber.h"

#include <benchmark/benchmark.h>

#include <array>
#include <string>

namespace {

std::u16string longDigits() {
    return u"1." + std::u16string(1000, u'4');
}

std::u16string blanksBetweenDigits() {
    std::u16string text;
    for (int n = 0; n < 200; ++n) {
        text += u"1 ";
    }
    return text;
}

struct Text {
    const char *name;
    std::u16string text;
};

const std::array<Text, 7> &texts() {
    static const std::array<Text, 7> all{{
        {"1.01", u"1.01"},
        {"0.2", u"0.2"},
        {" 1.5abc", u" 1.5abc"},
        {"&HFF", u"&HFF"},
        {"2e1", u"2e1"},
        {"1000 digits", longDigits()},
        {"200 blanks", blanksBetweenDigits()},
    }};
    return all;
}

void BM_TextToNumber(benchmark::State &state) {
    const Text &input = texts()[static_cast<std::size_t>(state.range(0))];
    for (auto _ : state) {
        benchmark::DoNotOptimize(wavywall::textToNumber(input.text));
    }
    state.SetLabel(input.name);
}
BENCHMARK(BM_TextToNumber)
    ->Apply(wavywall::bench::withSpread)
    ->DenseRange(0, static_cast<int>(texts().size()) - 1);

} // namespace
