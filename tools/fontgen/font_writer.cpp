#include "tools/fontgen/font_writer.hpp"

#include <png.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace tarn::fontgen {
namespace {

// White everywhere with the coverage as alpha: correct once premultiplied, and free of dark
// fringes when filtered without premultiplication.
bool write_page(const BitmapFont& font, const std::string& path, std::string& error) {
    std::vector<std::uint8_t> rgba(font.page.size() * 4, 255);
    for (std::size_t i = 0; i < font.page.size(); ++i)
        rgba[i * 4 + 3] = font.page[i];
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(font.page_width);
    image.height = static_cast<png_uint_32>(font.page_height);
    image.format = PNG_FORMAT_RGBA;
    if (png_image_write_to_file(&image, path.c_str(), 0, rgba.data(), 0, nullptr) == 0) {
        error = "cannot write '" + path + "': " + image.message;
        return false;
    }
    return true;
}

void write_header(const BitmapFont& font, std::string_view page_file, std::ostream& out) {
    const std::string pad = std::to_string(font.padding);
    const std::string space = std::to_string(font.spacing);
    out << "info face=\"" << font.face_name << "\" size=" << font.pixel_size
        << " bold=" << font.bold << " italic=" << font.italic
        << " charset=\"\" unicode=1 stretchH=100 smooth=1 aa=1 padding=" << pad << ',' << pad << ','
        << pad << ',' << pad << " spacing=" << space << ',' << space << " outline=0\n";
    out << "common lineHeight=" << font.line_height << " base=" << font.base
        << " scaleW=" << font.page_width << " scaleH=" << font.page_height
        << " pages=1 packed=0 alphaChnl=0 redChnl=4 greenChnl=4 blueChnl=4\n";
    out << "page id=0 file=\"" << page_file << "\"\n";
}

}  // namespace

std::string bmfont_text(const BitmapFont& font, std::string_view page_file) {
    std::ostringstream out;
    write_header(font, page_file, out);
    out << "chars count=" << font.chars.size() << '\n';
    for (const FontChar& c : font.chars) {
        out << "char id=" << c.code << " x=" << c.x << " y=" << c.y << " width=" << c.width
            << " height=" << c.height << " xoffset=" << c.xoffset << " yoffset=" << c.yoffset
            << " xadvance=" << c.xadvance << " page=0 chnl=15\n";
    }
    out << "kernings count=" << font.kernings.size() << '\n';
    for (const FontKerning& k : font.kernings)
        out << "kerning first=" << k.first << " second=" << k.second << " amount=" << k.amount
            << '\n';
    return out.str();
}

bool write_font(const BitmapFont& font, const std::string& fnt_path, std::string& error) {
    const std::string page_path = page_path_for(fnt_path);
    if (!write_page(font, page_path, error))
        return false;
    std::ofstream out(fnt_path, std::ios::binary);
    out << bmfont_text(font, std::filesystem::path(page_path).filename().string());
    out.close();
    if (!out) {
        error = "cannot write '" + fnt_path + "'";
        return false;
    }
    return true;
}

}  // namespace tarn::fontgen
