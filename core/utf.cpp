#include "core/utf.hpp"

#include <cstring>

namespace tarn {

namespace {

constexpr char16_t kReplacement = u'?';

// Number of bytes of the sequence a lead byte starts, or 0 for a byte that cannot lead.
int sequence_length(unsigned char lead) {
    if (lead < 0x80)
        return 1;
    if ((lead & 0xE0) == 0xC0)
        return 2;
    if ((lead & 0xF0) == 0xE0)
        return 3;
    if ((lead & 0xF8) == 0xF0)
        return 4;
    return 0;
}

void append_code_point(WideString& out, char32_t code_point) {
    if (code_point <= 0xFFFF) {
        out.append(static_cast<char16_t>(code_point));
        return;
    }
    code_point -= 0x10000;
    out.append(static_cast<char16_t>(0xD800 | (code_point >> 10)));
    out.append(static_cast<char16_t>(0xDC00 | (code_point & 0x3FF)));
}

// Encodes one code point into bytes; returns the count.
int encode_utf8(char32_t cp, char* bytes) {
    if (cp < 0x80) {
        bytes[0] = static_cast<char>(cp);
        return 1;
    }
    if (cp <= 0x7FF) {
        bytes[0] = static_cast<char>(0xC0 | (cp >> 6));
        bytes[1] = static_cast<char>(0x80 | (cp & 0x3F));
        return 2;
    }
    if (cp <= 0xFFFF) {
        bytes[0] = static_cast<char>(0xE0 | (cp >> 12));
        bytes[1] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        bytes[2] = static_cast<char>(0x80 | (cp & 0x3F));
        return 3;
    }
    if (cp <= 0x10FFFF) {
        bytes[0] = static_cast<char>(0xF0 | (cp >> 18));
        bytes[1] = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        bytes[2] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        bytes[3] = static_cast<char>(0x80 | (cp & 0x3F));
        return 4;
    }
    bytes[0] = '?';
    return 1;
}

}  // namespace

void append_utf8_as_utf16(WideString& out, const char* text, int length) {
    if (text == nullptr)
        return;
    if (length < 0)
        length = text_length(text);
    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    int i = 0;
    while (i < length) {
        const int size = sequence_length(bytes[i]);
        if (size == 0) {
            out.append(kReplacement);
            ++i;
            continue;
        }
        char32_t code_point = size == 1 ? bytes[i] : bytes[i] & (0x7F >> size);
        int next = i + 1;
        bool valid = true;
        for (; next < i + size; ++next) {
            if (next >= length || (bytes[next] & 0xC0) != 0x80) {
                valid = false;
                break;
            }
            code_point = (code_point << 6) | (bytes[next] & 0x3F);
        }
        if (!valid || code_point > 0x10FFFF) {
            out.append(kReplacement);
            i = valid ? next : next + 1;  // the offending byte goes with the broken sequence
            continue;
        }
        append_code_point(out, code_point);
        i = next;
    }
}

SharedString utf16_to_utf8(const char16_t* units, int count) {
    SharedString out;
    if (units == nullptr || count <= 0)
        return out;
    out.resize(count);  // room for one byte per unit; longer encodings grow it
    int written = 0;
    for (int i = 0; i < count; ++i) {
        char32_t code_point = units[i];
        if (code_point >= 0xD800 && code_point <= 0xDBFF) {
            const bool paired = i + 1 < count && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF;
            ++i;  // the next unit goes with the high surrogate, paired or not
            code_point =
                paired ? 0x10000 + ((code_point - 0xD800) << 10) + (units[i] - 0xDC00) : U'?';
        }
        char bytes[4];
        const int size = encode_utf8(code_point, bytes);
        if (written + size > out.length())
            out.resize(written + size, true);
        std::memcpy(out.mutable_data() + written, bytes, size);
        written += size;
    }
    out.resize(written);
    return out;
}

}  // namespace tarn
