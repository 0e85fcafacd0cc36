#include "script/script_compiler.hpp"

#include <cstdint>
#include <cstring>

#include "script/closure_stream.hpp"
#include "script/script_host.hpp"

namespace tarn {

namespace {

// C stack the compiler may use below compile_text (stacks grow down). Its recursive descent
// takes up to about 1.2 KB per level of nesting, so this allows some 900 function literals
// returned from each other, 1,390 parentheses or 3,200 nested ifs, while a thread's
// stack is usually 8 MiB.
constexpr std::uintptr_t kCompilerStackBudget = 1 << 20;

constexpr char kTooDeep[] = "expression or block nested too deeply";

std::uintptr_t stack_position() {
    return reinterpret_cast<std::uintptr_t>(__builtin_frame_address(0));
}

// A read cursor over source text in memory. The compiler recurses once per level of nesting
// and reads at least one character per level, so checking the stack on each read stops it
// before it runs out: the text then ends early, and the compile counts as failed.
struct SourceCursor {
    SourceCursor(const char* text, SQInteger length)
        : data(text), size(length), stack_floor(stack_position() - kCompilerStackBudget) {}

    const char* data;
    SQInteger size;
    std::uintptr_t stack_floor;
    SQInteger position = 0;
    bool too_deep = false;
    // Where the last character handed out sits, from 1.
    SQInteger line = 1;
    SQInteger column = 0;
};

// The compiler's lexer takes one character per call; 0 ends the text.
SQInteger next_character(SQUserPointer cursor) {
    auto* c = static_cast<SourceCursor*>(cursor);
    if (c->too_deep || stack_position() < c->stack_floor) {
        c->too_deep = true;
        return 0;
    }
    if (c->position >= c->size)
        return 0;
    const char character = c->data[c->position++];
    if (character == '\n') {
        ++c->line;
        c->column = 0;
    } else {
        ++c->column;
    }
    return character;
}

// A read cursor over a closure stream in memory.
struct StreamCursor {
    const std::uint8_t* data;
    SQInteger size;
    SQInteger position = 0;
};

// The closure reader takes blocks. A block the bytes cannot fill is refused before anything
// is copied: the reader may have failed to allocate the destination for an absurd size.
SQInteger read_block(SQUserPointer cursor, SQUserPointer destination, SQInteger size) {
    auto* c = static_cast<StreamCursor*>(cursor);
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

// Compiles without error reports; text cut short for its nesting raises only that error.
ScriptObject compile_quietly(HSQUIRRELVM vm, SourceCursor& cursor, const char* source_name) {
    SQRESULT result = sq_compile(vm, next_character, &cursor, source_name, SQFalse);
    if (!cursor.too_deep)
        return take_result(vm, result);
    take_result(vm, result);  // drops what the shortened text compiled into, if anything
    sq_throwerror(vm, kTooDeep);
    return ScriptObject();
}

}  // namespace

// Compiled quietly first, so that text cut short for its nesting reports only that. Text that
// fails for another reason is compiled again with reports on; only broken scripts pay for it.
ScriptObject compile_text(HSQUIRRELVM vm, const char* text, SQInteger length,
                          const char* source_name) {
    SourceCursor cursor(text, length);
    ScriptObject closure = compile_quietly(vm, cursor, source_name);
    if (!closure.is_null())
        return closure;
    if (cursor.too_deep) {
        ScriptHost::report_compile_error(vm, kTooDeep, source_name, cursor.line, cursor.column);
        return closure;
    }
    SourceCursor again(text, length);
    return take_result(vm, sq_compile(vm, next_character, &again, source_name, SQTrue));
}

ScriptObject compile_text_quietly(HSQUIRRELVM vm, const char* text, SQInteger length,
                                  const char* source_name) {
    SourceCursor cursor(text, length);
    return compile_quietly(vm, cursor, source_name);
}

ScriptObject read_closure(HSQUIRRELVM vm, const Bytes& bytes) {
    if (!is_sound_closure_stream(bytes.data(), bytes.size()))
        return ScriptObject();
    StreamCursor cursor{bytes.data(), static_cast<SQInteger>(bytes.size())};
    return take_result(vm, sq_readclosure(vm, read_block, &cursor));
}

}  // namespace tarn
