// Precompiles a Squirrel script into the VM's closure format, which the engine loads when a
// script's source is missing and its name with ".bin" appended exists.
//
//   tarn_compile_script SOURCE.nut OUTPUT.bin
#include <squirrel.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

namespace {

SQInteger write_bytes(SQUserPointer file, SQUserPointer data, SQInteger size) {
    return static_cast<SQInteger>(std::fwrite(data, 1, size, static_cast<std::FILE*>(file)));
}

void print_error(HSQUIRRELVM, const SQChar* description, const SQChar* source, SQInteger line,
                 SQInteger column) {
    std::fprintf(stderr, "%s:%lld:%lld: %s\n", source, static_cast<long long>(line),
                 static_cast<long long>(column), description);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s SOURCE.nut OUTPUT.bin\n", argv[0]);
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    const std::string source(std::istreambuf_iterator<char>(in), {});
    if (!in && !in.eof()) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    HSQUIRRELVM vm = sq_open(1024);
    sq_setcompilererrorhandler(vm, print_error);
    bool ok = SQ_SUCCEEDED(sq_compilebuffer(
        vm, source.data(), static_cast<SQInteger>(source.size()), argv[1], SQTrue));
    std::FILE* out = ok ? std::fopen(argv[2], "wb") : nullptr;
    ok = out != nullptr && SQ_SUCCEEDED(sq_writeclosure(vm, write_bytes, out));
    if (out != nullptr)
        ok = std::fclose(out) == 0 && ok;
    sq_close(vm);
    if (!ok)
        std::fprintf(stderr, "cannot compile %s into %s\n", argv[1], argv[2]);
    return ok ? 0 : 1;
}
