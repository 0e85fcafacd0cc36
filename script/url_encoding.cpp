#include "script/url_encoding.hpp"

namespace tarn {

namespace {

bool is_alphanumeric(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

}  // namespace

SharedString encode_for_url(const char* text, int length) {
    static constexpr char kHexDigits[] = "0123456789abcdef";
    SharedString encoded;
    for (int i = 0; i < length; ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (c >= 0x80)
            c = '?';
        if (is_alphanumeric(c)) {
            encoded.append(static_cast<char>(c));
            continue;
        }
        // Always two digits: "%a" followed by a digit would decode as another byte.
        const char escape[] = {'%', kHexDigits[c >> 4], kHexDigits[c & 0xf]};
        encoded.append(escape, 3);
    }
    return encoded;
}

}  // namespace tarn
