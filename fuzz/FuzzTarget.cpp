#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include <QByteArrayView>

#include "FuzzEntries.h"

// One libFuzzer executable per entry; the build names the entry in VELANTOR_FUZZ_ENTRY.
#define VELANTOR_STRINGIFY2(x) #x
#define VELANTOR_STRINGIFY(x) VELANTOR_STRINGIFY2(x)

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const velantor::fuzz::FuzzEntry* entry = [] {
        const auto* found = velantor::fuzz::fuzzEntry(VELANTOR_STRINGIFY(VELANTOR_FUZZ_ENTRY));
        if (found == nullptr) {
            std::fprintf(stderr, "no fuzz entry named %s\n", VELANTOR_STRINGIFY(VELANTOR_FUZZ_ENTRY));
            std::abort();
        }
        return found;
    }();
    entry->run(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)));
    return 0;
}
