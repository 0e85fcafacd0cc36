// Measures the cost of one script-to-script call in the engine's VM, whose call hook limits
// the depth of nested calls, against a plain VM without the hook. Each VM runs a recursive
// Fibonacci (about 7 calls per microsecond of VM time) in alternating runs; the best run of each
// counts.
//
//   bench_script_calls [RUNS]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "script/script_host.hpp"

namespace {

using Clock = std::chrono::steady_clock;

constexpr char kFibonacci[] =
    "function fib(n) { return n < 2 ? n : fib(n - 1) + fib(n - 2); } return fib(25);";
// fib(25) makes 242,785 calls of fib.
constexpr double kCalls = 242785;

// Nanoseconds per call in one run of kFibonacci on vm.
double ns_per_call(HSQUIRRELVM vm) {
    const SQInteger top = sq_gettop(vm);
    if (SQ_FAILED(sq_compilebuffer(vm, kFibonacci, std::strlen(kFibonacci), "fib", SQTrue)))
        std::exit(1);
    sq_pushroottable(vm);
    const auto start = Clock::now();
    if (SQ_FAILED(sq_call(vm, 1, SQFalse, SQTrue)))
        std::exit(1);
    const std::chrono::duration<double, std::nano> took = Clock::now() - start;
    sq_settop(vm, top);
    return took.count() / kCalls;
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::atoi(argv[1]) : 20;
    HSQUIRRELVM plain = sq_open(1024);
    tarn::ScriptHost host;
    host.start({});
    // Alternating runs share whatever else the machine is doing.
    double without = 1e30, with = 1e30;
    for (int run = 0; run < runs; ++run) {
        without = std::min(without, ns_per_call(plain));
        with = std::min(with, ns_per_call(host.vm()));
    }
    std::printf("plain VM: %.1f ns per call\nengine VM: %.1f ns per call (%+.1f ns)\n", without,
                with, with - without);
    sq_close(plain);
    return 0;
}
