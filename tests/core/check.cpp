#include "tests/core/check.h"

namespace wavywall::check {

namespace {
int failedChecks = 0;
} // namespace

void fail(const char *file, int line, const std::string &what) {
    ++failedChecks;
    std::printf("  FAIL %s:%d: %s\n", file, line, what.c_str());
}

int runCases(const Case *cases, std::size_t count) {
    int passed = 0;
    int failed = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const int before = failedChecks;
        cases[i].run();
        const bool ok = failedChecks == before;
        std::printf("%s %s\n", ok ? "PASS" : "FAIL", cases[i].name);
        (ok ? passed : failed) += 1;
    }
    std::printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}

} // namespace wavywall::check
