#include "script/script_compiler.hpp"

#include <cstring>

#include "script/closure_stream.hpp"

namespace tarn {

namespace {

// A read cursor over bytes in memory.
struct MemoryCursor {
    const char* data;
    SQInteger size;
    SQInteger position = 0;
};

// The compiler's lexer takes one character per call; 0 ends the text.
SQInteger next_character(SQUserPointer cursor) {
    auto* c = static_cast<MemoryCursor*>(cursor);
    if (c->position >= c->size)
        return 0;
    return c->data[c->position++];
}

// The closure reader takes blocks. A block the bytes cannot fill is refused before anything
// is copied: the reader may have failed to allocate the destination for an absurd size.
SQInteger read_block(SQUserPointer cursor, SQUserPointer destination, SQInteger size) {
    auto* c = static_cast<MemoryCursor*>(cursor);
    if (size < 0 || size > c->size - c->position)
        return -1;
    std::memcpy(destination, c->data + c->position, static_cast<std::size_t>(size));
    c->position += size;
    return size;
}

// Takes the closure a successful VM call left on the stack.
ScriptObject take_result(HSQUIRRELVM vm, SQRESULT result) {
    if (SQ_FAILED(result))
        return ScriptObject();
    ScriptObject closure(vm, -1);
    sq_poptop(vm);
    return closure;
}

}  // namespace

ScriptObject compile_text(HSQUIRRELVM vm, const char* text, SQInteger length,
                          const char* source_name) {
    MemoryCursor cursor{text, length};
    return take_result(vm, sq_compile(vm, next_character, &cursor, source_name, SQTrue));
}

ScriptObject read_closure(HSQUIRRELVM vm, const Bytes& bytes) {
    if (!is_sound_closure_stream(bytes.data(), bytes.size()))
        return ScriptObject();
    MemoryCursor cursor{reinterpret_cast<const char*>(bytes.data()),
                        static_cast<SQInteger>(bytes.size())};
    return take_result(vm, sq_readclosure(vm, read_block, &cursor));
}

}  // namespace tarn
