#include "resources/texture_format.hpp"

#include <cstring>

#include "core/log.hpp"
#include "resources/image_decoder.hpp"

namespace tarn {

namespace {

bool parse_format(const char* value, TextureFormatChoice& out) {
    const auto is = [value](const char* name) { return std::strcmp(value, name) == 0; };
    if (is("") || is("32")) {
        out = {};
        return true;
    }
    if (is("16") || is("565") || is("4444")) {
        out = {true, false};
        return true;
    }
    if (is("5551")) {
        out = {true, true};
        return true;
    }
    return false;
}

}  // namespace

TextureFormatChoice choose_texture_format(const SharedString& setting,
                                          const SharedString& iphone_format) {
    const bool iphone = std::strcmp(setting.data(), "iphone") == 0;
    TextureFormatChoice choice;
    if (!parse_format(iphone ? iphone_format.data() : setting.data(), choice)) {
        log_message("Invalid textures_format cvar.");
        return {};
    }
    return choice;
}

std::uint32_t decode_flags_for(const TextureFormatChoice& choice, bool premultiply) {
    std::uint32_t flags = kDecodeExtendPow2;
    if (premultiply)
        flags |= kDecodePremultiply;
    if (choice.to_16bit)
        flags |= kDecodeTo16Bit;
    if (choice.use_5551)
        flags |= kDecodeUse5551;
    return flags;
}

}  // namespace tarn
