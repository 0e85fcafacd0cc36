#include "script/closure_stream.hpp"

#include <squirrel.h>

#include <cstring>

namespace tarn {

namespace {

constexpr std::uint32_t four_cc(char a, char b, char c, char d) {
    return static_cast<std::uint32_t>(a) << 24 | static_cast<std::uint32_t>(b) << 16 |
           static_cast<std::uint32_t>(c) << 8 | static_cast<std::uint32_t>(d);
}

// The stream's marks, written as native 32-bit words after a 16-bit stream tag.
constexpr std::uint16_t kStreamTag = 0xFAFA;
constexpr std::uint32_t kHead = four_cc('S', 'Q', 'I', 'R');
constexpr std::uint32_t kPart = four_cc('P', 'A', 'R', 'T');
constexpr std::uint32_t kTail = four_cc('T', 'A', 'I', 'L');

// Sizes of the records the VM copies whole: a line entry is two integers, an instruction one
// 32-bit operand and four bytes.
constexpr std::uint64_t kLineInfoBytes = 2 * sizeof(SQInteger);
constexpr std::uint64_t kInstructionBytes = 8;
constexpr std::uint64_t kGeneratorFlagBytes = 1;

// Walks a stream the way the VM's reader does, without building anything.
class ClosureStream {
public:
    ClosureStream(const std::uint8_t* data, std::size_t size) : data_(data), left_(size) {}

    bool closure() {
        std::uint16_t stream_tag = 0;
        return read(stream_tag) && stream_tag == kStreamTag && mark(kHead) &&
               mark(sizeof(SQChar)) && mark(sizeof(SQInteger)) && mark(sizeof(SQFloat)) &&
               function(1) && mark(kTail);
    }

private:
    template <typename T>
    bool read(T& value) {
        if (left_ < sizeof value)
            return false;
        std::memcpy(&value, data_, sizeof value);
        return skip(1, sizeof value);
    }

    bool skip(std::uint64_t count, std::uint64_t size) {
        if (size != 0 && count > left_ / size)
            return false;
        data_ += count * size;
        left_ -= count * size;
        return true;
    }

    bool mark(std::uint32_t expected) {
        std::uint32_t value = 0;
        return read(value) && value == expected;
    }

    bool count(SQInteger& value) { return read(value) && value >= 0; }

    // A literal, name or parameter: a type word, then the value.
    bool object() {
        std::uint32_t type = 0;
        if (!read(type))
            return false;
        switch (static_cast<SQObjectType>(type)) {
            case OT_STRING: {
                SQInteger length = 0;
                return count(length) && skip(static_cast<std::uint64_t>(length), sizeof(SQChar));
            }
            case OT_INTEGER:
            case OT_BOOL:
                return skip(1, sizeof(SQInteger));
            case OT_FLOAT:
                return skip(1, sizeof(SQFloat));
            case OT_NULL:
                return true;
            default:
                return false;
        }
    }

    bool outer_value() { return skip(1, sizeof(SQUnsignedInteger)) && object() && object(); }
    bool local_variable() { return object() && skip(3, sizeof(SQUnsignedInteger)); }

    // A section of count items.
    template <typename Item>
    bool section(SQInteger count, Item item) {
        if (!mark(kPart))
            return false;
        for (SQInteger i = 0; i < count; ++i) {
            if (!item())
                return false;
        }
        return true;
    }

    // A section of count records the VM copies whole.
    bool records(SQInteger count, std::uint64_t size) {
        return mark(kPart) && skip(static_cast<std::uint64_t>(count), size);
    }

    struct Counts {
        SQInteger literals, parameters, outers, locals, lines, defaults, instructions, functions;
    };

    bool counts(Counts& n) {
        return mark(kPart) && count(n.literals) && count(n.parameters) && count(n.outers) &&
               count(n.locals) && count(n.lines) && count(n.defaults) && count(n.instructions) &&
               count(n.functions);
    }

    // A function prototype: source and function name, the counts, the sections they size (the
    // nested functions last), then the stack size, the generator flag and the flag for
    // variable arguments.
    bool function(int depth) {
        Counts n{};
        auto an_object = [this] { return object(); };
        auto a_nested_function = [this, depth] {
            return depth < kMaxClosureNesting && function(depth + 1);
        };
        return mark(kPart) && object() && object() && counts(n) && section(n.literals, an_object) &&
               section(n.parameters, an_object) &&
               section(n.outers, [this] { return outer_value(); }) &&
               section(n.locals, [this] { return local_variable(); }) &&
               records(n.lines, kLineInfoBytes) && records(n.defaults, sizeof(SQInteger)) &&
               records(n.instructions, kInstructionBytes) &&
               section(n.functions, a_nested_function) && skip(1, sizeof(SQInteger)) &&
               skip(1, kGeneratorFlagBytes) && skip(1, sizeof(SQInteger));
    }

    const std::uint8_t* data_;
    std::size_t left_;
};

}  // namespace

bool is_sound_closure_stream(const std::uint8_t* data, std::size_t size) {
    return ClosureStream(data, size).closure();
}

}  // namespace tarn
