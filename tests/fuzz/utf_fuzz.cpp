// UTF-8 and UTF-16 conversions: the input is read both as UTF-8 text and as UTF-16 units.
#include <cstring>
#include <string>
#include <vector>

#include "core/utf.hpp"
#include "fuzz/fuzz_support.hpp"

namespace tarn::fuzz {
namespace {

// Standard UTF-8: shortest forms only, no surrogates, nothing above U+10FFFF.
bool is_standard_utf8(const std::uint8_t* s, std::size_t n) {
    std::size_t i = 0;
    while (i < n) {
        const std::uint8_t lead = s[i];
        const std::size_t length = lead < 0x80             ? 1
                                   : (lead & 0xE0) == 0xC0 ? 2
                                   : (lead & 0xF0) == 0xE0 ? 3
                                   : (lead & 0xF8) == 0xF0 ? 4
                                                           : 0;
        if (length == 0 || i + length > n)
            return false;
        char32_t code_point = length == 1 ? lead : lead & (0x7F >> length);
        for (std::size_t k = 1; k < length; ++k) {
            if ((s[i + k] & 0xC0) != 0x80)
                return false;
            code_point = (code_point << 6) | (s[i + k] & 0x3F);
        }
        constexpr char32_t kShortest[] = {0, 0, 0x80, 0x800, 0x10000};
        if (code_point < kShortest[length] || code_point > 0x10FFFF ||
            (code_point >= 0xD800 && code_point <= 0xDFFF))
            return false;
        i += length;
    }
    return true;
}

// Every high surrogate followed by a low one, every low one preceded by a high one.
bool is_well_formed_utf16(const std::vector<char16_t>& units) {
    for (std::size_t i = 0; i < units.size(); ++i) {
        const bool high = units[i] >= 0xD800 && units[i] <= 0xDBFF;
        const bool low = units[i] >= 0xDC00 && units[i] <= 0xDFFF;
        if (low)
            return false;
        if (high) {
            if (i + 1 == units.size() || units[i + 1] < 0xDC00 || units[i + 1] > 0xDFFF)
                return false;
            ++i;
        }
    }
    return true;
}

WideString to_utf16(const SharedString& text) {
    WideString out;
    append_utf8_as_utf16(out, text.data(), text.length());
    return out;
}

SharedString to_utf8(const WideString& units) {
    return utf16_to_utf8(units.data(), units.length());
}

void check_utf8_input(const std::uint8_t* data, std::size_t size) {
    const SharedString text(reinterpret_cast<const char*>(data), static_cast<int>(size));
    const WideString units = to_utf16(text);
    require(units.length() <= text.length(), "no byte gives more than one unit");
    if (is_standard_utf8(data, size))
        require(to_utf8(units) == text, "standard UTF-8 survives UTF-8 -> UTF-16 -> UTF-8");

    // Up to the terminator reads exactly what an explicit length of the same text reads.
    const std::string terminated(reinterpret_cast<const char*>(data), size);
    const int text_end = static_cast<int>(std::strlen(terminated.c_str()));
    WideString by_terminator;
    append_utf8_as_utf16(by_terminator, terminated.c_str());
    WideString by_length;
    append_utf8_as_utf16(by_length, terminated.c_str(), text_end);
    require(by_terminator == by_length, "a negative length stops at the terminator");
}

void check_utf16_input(const std::uint8_t* data, std::size_t size) {
    std::vector<char16_t> units(size / 2);
    for (std::size_t i = 0; i < units.size(); ++i)
        units[i] = static_cast<char16_t>(data[2 * i] | data[2 * i + 1] << 8);
    const WideString wide(units.data(), static_cast<int>(units.size()));
    const SharedString text = to_utf8(wide);
    if (is_well_formed_utf16(units))
        require(to_utf16(text) == wide, "well-formed UTF-16 survives UTF-16 -> UTF-8 -> UTF-16");
    // Whatever was replaced the first time, the result converts back and forth unchanged.
    require(to_utf8(to_utf16(text)) == text, "converted text is stable");
}

}  // namespace
}  // namespace tarn::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tarn::fuzz::check_utf8_input(data, size);
    tarn::fuzz::check_utf16_input(data, size);
    return 0;
}
