// One libFuzzer target. The build compiles this file once per kind of input the game reads
// and names the check (support/InputChecks.h) in HOSHIKAGE_FUZZ_CHECK; the buffer target
// also names the model whose buffer it fuzzes in HOSHIKAGE_FUZZ_MODEL.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "support/InputChecks.h"

#ifdef HOSHIKAGE_FUZZ_MODEL
namespace {

const std::string& ModelText() {
    static const std::string text = [] {
        std::ifstream file(HOSHIKAGE_FUZZ_MODEL, std::ios::binary);
        if (!file) {
            std::fprintf(stderr, "cannot read the fuzzed model %s\n", HOSHIKAGE_FUZZ_MODEL);
            std::exit(2);
        }
        std::ostringstream bytes;
        bytes << file.rdbuf();
        return bytes.str();
    }();
    return text;
}

}  // namespace
#endif

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
#ifdef HOSHIKAGE_FUZZ_MODEL
    inputcheck::HOSHIKAGE_FUZZ_CHECK(ModelText(), data, size);
#else
    inputcheck::HOSHIKAGE_FUZZ_CHECK(data, size);
#endif
    return 0;
}
