// Runs a fuzz target once over each file named on the command line, as libFuzzer replays an
// input: the ordinary build's regression test of every input a target once failed on. A broken
// property, a crash or a gigabyte of memory (as libFuzzer's -rss_limit_mb would) fails the run.
#include <sys/resource.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
// Only some targets set themselves up first.
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* argc, char*** argv);

constexpr long kMemoryLimitKib = 1024 * 1024;

int main(int argc, char** argv) {
    if (LLVMFuzzerInitialize != nullptr)
        LLVMFuzzerInitialize(&argc, &argv);
    for (int i = 1; i < argc; ++i) {
        std::ifstream file(argv[i], std::ios::binary);
        if (!file) {
            std::fprintf(stderr, "Can't read %s\n", argv[i]);
            return 1;
        }
        const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(file), {}};
        std::fprintf(stderr, "Replaying %s\n", argv[i]);
        LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        if (usage.ru_maxrss > kMemoryLimitKib) {
            std::fprintf(stderr, "%s took %ld KiB of memory\n", argv[i], usage.ru_maxrss);
            return 1;
        }
    }
    std::fprintf(stderr, "%d inputs replayed\n", argc - 1);
    return 0;
}
