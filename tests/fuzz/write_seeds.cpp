// Writes the fuzz targets' seed corpora and the definitions target's data files:
//
//   tarn_fuzz_seeds tests/fuzz
//
// fills tests/fuzz/corpus/<target>/ and tests/fuzz/data/. Every seed is a small valid (or
// nearly valid) input of its loader, built by the same helpers the unit tests use.
#include <squirrel.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <span>
#include <string>
#include <vector>

#include "app/script_api.hpp"
#include "app/singletons.hpp"
#include "fuzz/def_stream.hpp"
#include "script/script_compiler.hpp"
#include "script/script_host.hpp"
#include "unit/audio/audio_test_files.hpp"
#include "unit/resources/image_test_files.hpp"

namespace tarn::fuzz {
namespace {

namespace fs = std::filesystem;

class SeedFolder {
public:
    explicit SeedFolder(fs::path path) : path_(std::move(path)) { fs::create_directories(path_); }

    void write(const std::string& name, const std::string& bytes) const {
        std::ofstream(path_ / name, std::ios::binary) << bytes;
    }
    void write(const std::string& name, const std::vector<std::uint8_t>& bytes) const {
        write(name, std::string(bytes.begin(), bytes.end()));
    }

private:
    fs::path path_;
};

// width x height RGB8 pixels of a dark colour, magenta along the given columns and rows.
test::PngPicture framed_picture(int width, int height, int magenta_column, int magenta_row) {
    test::PngPicture p;
    p.width = width;
    p.height = height;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool magenta = x == magenta_column || y == magenta_row;
            p.rows.insert(p.rows.end(), {std::uint8_t(magenta ? 255 : 20), std::uint8_t(x * 9),
                                         std::uint8_t(magenta ? 255 : y * 9)});
        }
    }
    return p;
}

test::PngPicture picture(int width, int height, int bit_depth, int color_type) {
    test::PngPicture p;
    p.width = width;
    p.height = height;
    p.bit_depth = bit_depth;
    p.color_type = color_type;
    p.rows.resize(test::png_row_bytes(p) * static_cast<std::size_t>(height));
    for (std::size_t i = 0; i < p.rows.size(); ++i)
        p.rows[i] = std::uint8_t(i * 37 + 11);
    return p;
}

void write_png_seeds(const SeedFolder& folder) {
    folder.write("rgb-3x2.png", test::encode_png(picture(3, 2, 8, PNG_COLOR_TYPE_RGB)));
    folder.write("rgba-5x3.png", test::encode_png(picture(5, 3, 8, PNG_COLOR_TYPE_RGB_ALPHA)));
    folder.write("rgb-16bit-3x3.png", test::encode_png(picture(3, 3, 16, PNG_COLOR_TYPE_RGB)));
    folder.write("grey-1bit-9x3.png", test::encode_png(picture(9, 3, 1, PNG_COLOR_TYPE_GRAY)));
    folder.write("grey-alpha-16bit-2x2.png",
                 test::encode_png(picture(2, 2, 16, PNG_COLOR_TYPE_GRAY_ALPHA)));
    folder.write("frames-7x5.png", test::encode_png(framed_picture(7, 5, 3, 2)));

    test::PngPicture palette = picture(4, 4, 2, PNG_COLOR_TYPE_PALETTE);
    palette.palette = {{255, 0, 255}, {0, 0, 0}, {10, 200, 30}, {255, 255, 255}};
    palette.transparency = {0, 128};
    folder.write("palette-trns-4x4.png", test::encode_png(palette));

    test::PngPicture keyed = picture(3, 3, 8, PNG_COLOR_TYPE_RGB);
    keyed.transparency = {1};
    keyed.transparent_colour.red = 11;
    folder.write("rgb-key-3x3.png", test::encode_png(keyed));

    test::PngPicture interlaced = picture(5, 5, 8, PNG_COLOR_TYPE_RGB);
    interlaced.interlaced = true;
    folder.write("interlaced-5x5.png", test::encode_png(interlaced));
}

std::vector<std::uint8_t> samples(int count) {
    std::vector<std::uint8_t> out(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        out[static_cast<std::size_t>(i)] = std::uint8_t(i * 13);
    return out;
}

void write_jpeg_seeds(const SeedFolder& folder) {
    folder.write("rgb-8x8.jpg", test::encode_jpeg(8, 8, 3, samples(8 * 8 * 3)));
    folder.write("grey-16x16.jpg", test::encode_jpeg(16, 16, 1, samples(16 * 16)));
    folder.write("rgb-17x9-q50.jpg", test::encode_jpeg(17, 9, 3, samples(17 * 9 * 3), 50));
}

std::vector<std::uint8_t> mipmapped_dxt1() {
    test::DdsHeader header;
    header.width = header.height = 8;
    header.mipmapped(4);
    return test::encode_dds(header, 32 + 8 + 8 + 8);
}

std::vector<std::uint8_t> dxt1_cube_map() {
    test::DdsHeader header;
    header.cube_map();
    return test::encode_dds(header, 6 * 8);
}

void write_dds_seeds(const SeedFolder& folder) {
    folder.write("dxt1-4x4.dds", test::encode_dds(test::DdsHeader(), 8));
    folder.write("dxt1-8x8-mips.dds", mipmapped_dxt1());
    folder.write("dxt1-cube-4x4.dds", dxt1_cube_map());

    test::DdsHeader dxt5;
    dxt5.four_cc = "DXT5";
    dxt5.width = 5;
    dxt5.height = 9;
    dxt5.flags |= 0x80000;
    dxt5.linear_size = 2 * 3 * 16;
    folder.write("dxt5-5x9-linear-size.dds", test::encode_dds(dxt5, 2 * 3 * 16));

    test::DdsHeader dxt3;
    dxt3.four_cc = "DXT3";
    dxt3.cube_map().mipmapped(3);
    folder.write("dxt3-cube-mips.dds", test::encode_dds(dxt3, 6 * 3 * 16));
}

void write_config_seeds(const SeedFolder& folder) {
    folder.write("boot.config", std::string("video_mode = 800 600 0\nsystem::window_title = Hello\n"
                                            "system::save_dir = root:saves\n"));
    folder.write("saved.config", std::string("music_volume = \"0.5\"\r\nname = \" spaced \"\r\n"
                                             "quoted = \"\"x\"\"\r\nempty = \"\"\r\n"));
    folder.write("odd-lines.config",
                 std::string("no equals here\n = no name\r\r\n\tkey\t=\tvalue\t\nk==v\n"
                             "a = \"unbalanced\nb = 12abc\nc = 1e40\nd = -2147483649\n"));
}

void write_utf_seeds(const SeedFolder& folder) {
    folder.write("ascii.txt", std::string("plain text 123"));
    folder.write("two-three-four-bytes.txt", std::string("h\xC3\xA9llo \xE6\x97\xA5\xE6\x9C\xAC "
                                                         "\xF0\x9F\x99\x82"));
    folder.write("broken.txt", std::string("\xC0\x80 \xED\xA0\x80 \xF8\x88 \xE2\x82 "
                                           "\xF4\x90\x80\x80 \x80\xBF \xFF"));
    const char16_t units[] = {u'A', 0xD83D, 0xDE42, 0xDC00, 0xD800, u'B', 0xD800, 0xFFFF, 0x00E9};
    folder.write("utf16-surrogates.bin",
                 std::string(reinterpret_cast<const char*>(units), sizeof units));
}

void write_font_seeds(const SeedFolder& folder) {
    const std::string common = "common lineHeight=20 base=16 scaleW=256 scaleH=128 pages=1\n";
    const std::string glyphs =
        "char id=32 x=0 y=0 width=0 height=0 xoffset=0 yoffset=0 xadvance=5 page=0 chnl=15\n"
        "char id=65 x=1 y=2 width=9 height=12 xoffset=-1 yoffset=3 xadvance=9 page=0 chnl=15\n"
        "char id=86 x=12 y=2 width=9 height=12 xoffset=0 yoffset=3 xadvance=8 page=0 chnl=15\n"
        "char id=1055 x=24 y=2 width=8 height=12 xoffset=0 yoffset=3 xadvance=9\n";
    const std::string pairs =
        "kernings count=3\nkerning first=65 second=86 amount=-2\n"
        "kerning first=65 second=65 amount=1\nkerning first=86 second=65 amount=-2\n";
    folder.write("kerned.fnt", "info face=\"Seed\" size=16 bold=0\n" + common +
                                   "page id=0 file=\"kerned.png\"\nchars count=4\n" + glyphs +
                                   pairs);
    folder.write("crlf-no-space.fnt",
                 "common lineHeight=31 scaleW=64 scaleH=64 pages=1\r\nchar id=65 width=3\r"
                 "char id=66 width=4 xadvance=5\r\n");
    folder.write("unblocked-pairs.fnt", common + glyphs +
                                            "kernings count=3\nkerning first=65 second=86\n"
                                            "kerning first=86 second=65\nkerning first=65 "
                                            "second=65\n");
    folder.write("out-of-range.fnt",
                 "common lineHeight=99999999999 scaleW=1 scaleH=1 pages=1\n"
                 "char id=65535 x=70000 y=-70000 width=-5 height=40000 xadvance=32768\n"
                 "kernings count=2000000000\nkerning first=65535 second=70000 amount=-1\n");
}

void write_wav_seeds(const SeedFolder& folder) {
    using test::chunk;
    using test::fmt_body;
    const std::string samples = test::pcm16_bytes(test::sine(8000, 1000.0, 16, 2));
    folder.write("stereo-16bit.wav",
                 test::riff(chunk("fmt ", fmt_body(2, 44100, 16)) + chunk("data", samples)));
    folder.write("mono-8bit.wav",
                 test::riff(chunk("fmt ", fmt_body(1, 8000, 8)) +
                            chunk("data", std::string("\x00\x40\x80\xC0\xFF", 5))));
    folder.write("list-odd-then-data-first.wav",
                 test::riff(chunk("LIST", "INFOx") + chunk("data", samples) +
                            chunk("fmt ", fmt_body(2, 22050, 16))));
    const std::string extensible = fmt_body(1, 48000, 16, 0xFFFE) + test::le_bytes(22, 2) +
                                   test::le_bytes(16, 2) + test::le_bytes(4, 4) +
                                   test::le_bytes(1, 2) + std::string(14, '\x01');
    folder.write("extensible.wav", test::riff(chunk("fmt ", extensible) + chunk("data", samples)));
}

void write_ogg_seeds(const SeedFolder& folder) {
    folder.write("mono-8k.ogg", test::encode_vorbis(8000, 1, 400, 440.0, -0.1f));
    folder.write("stereo-22k.ogg", test::encode_vorbis(22050, 2, 1000, 440.0));
    // Two links of different formats: decoding ends where the second begins.
    folder.write("chained.ogg", test::encode_vorbis(8000, 1, 200, 440.0, -0.1f) +
                                    test::encode_vorbis(11025, 2, 200, 440.0, -0.1f, 2));
}

SQInteger append_block(SQUserPointer out, SQUserPointer data, SQInteger size) {
    static_cast<std::string*>(out)->append(static_cast<const char*>(data),
                                           static_cast<std::size_t>(size));
    return size;
}

// The precompiled form of a script, as tarn_compile_script writes it.
std::string precompiled(const std::string& source) {
    HSQUIRRELVM vm = script_host().vm();
    ScriptObject closure =
        compile_text(vm, source.data(), static_cast<SQInteger>(source.size()), "seed");
    std::string bytes;
    closure.push(vm);
    if (closure.is_null() || SQ_FAILED(sq_writeclosure(vm, append_block, &bytes)))
        std::fprintf(stderr, "cannot precompile seed script: %s\n", source.c_str());
    sq_pop(vm, 1);
    return bytes;
}

void write_closure_seeds(const SeedFolder& folder) {
    folder.write("function.bin", precompiled("function add(a, b = 2) { return a + b; }\n"
                                             "return add(1);\n"));
    folder.write("class.bin", precompiled("class Point { x = 0.5; y = -1; static origin = null;\n"
                                          "  constructor(px, py) { x = px; y = py; }\n"
                                          "  function length() { return sqrt(x * x + y * y); } }\n"
                                          "return Point(3, 4).length();\n"));
    folder.write("control.bin",
                 precompiled("local t = { name = \"n\", list = [1, 2.5, \"three\", null] };\n"
                             "local sum = 0;\n"
                             "foreach (i, v in t.list) { switch (typeof v) {\n"
                             "  case \"integer\": sum += v; break; default: sum -= 1; } }\n"
                             "try { throw \"e\"; } catch (e) { sum++; }\n"
                             "local gen = function(n) { for (local i = 0; i < n; i++) yield i; };\n"
                             "local counter = @(...) vargv.len();\n"
                             "return [sum, counter(1, 2), resume gen(3)];\n"));
}

DefValue scalar(DefValue::Kind kind, std::int32_t integer, float real = 0.0f) {
    DefValue value;
    value.kind = kind;
    value.integer = integer;
    value.real = real;
    return value;
}

DefValue word(const char* text, std::span<const char* const> words = kDefWords) {
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (std::string(words[i]) == text)
            return scalar(DefValue::kWord, static_cast<std::int32_t>(i));
    }
    std::fprintf(stderr, "not a def word: %s\n", text);
    return {};
}

DefValue number(int value) {
    return scalar(DefValue::kSmallInteger, value);
}

DefValue real(float value) {
    return scalar(DefValue::kFloat, 0, value);
}

DefValue yes() {
    return scalar(DefValue::kBool, 1);
}

DefValue no() {
    return scalar(DefValue::kBool, 0);
}

DefValue array(std::vector<DefValue> items) {
    DefValue value = scalar(DefValue::kArray, 0);
    value.items = std::move(items);
    return value;
}

DefValue text(const char* characters) {
    DefValue value = scalar(DefValue::kString, 0);
    value.text = characters;
    return value;
}

DefValue table(std::vector<DefSlot> slots) {
    DefValue value = scalar(DefValue::kTable, 0);
    value.slots = std::move(slots);
    return value;
}

std::uint8_t name(const char* text) {
    for (std::size_t i = 0; i < kDefNames.size(); ++i) {
        if (std::string(kDefNames[i]) == text)
            return static_cast<std::uint8_t>(i);
    }
    std::fprintf(stderr, "not a def name: %s\n", text);
    return 0;
}

DefEntry texture(const char* def_name, std::vector<DefSlot> slots) {
    return {false, name(def_name), std::move(slots)};
}

DefEntry sprite(const char* def_name, std::vector<DefSlot> slots) {
    return {true, name(def_name), std::move(slots)};
}

struct DefSeed {
    std::string file;
    DefInput input;
};

// Writes the seed and reads it back: a seed the target would read differently is refused.
bool write_defs(const SeedFolder& folder, const DefSeed& seed,
                const DefVocabulary& vocabulary = kTextureAndSpriteDefs) {
    const std::string bytes = DefWriter(vocabulary).write(seed.input);
    if (!(DefReader(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), vocabulary)
              .read() == seed.input)) {
        std::fprintf(stderr, "seed %s does not read back as written\n", seed.file.c_str());
        return false;
    }
    folder.write(seed.file, bytes);
    return true;
}

std::vector<DefSeed> def_seeds() {
    std::vector<DefSeed> seeds;
    seeds.push_back({"frame-size",
                     {0,
                      {texture("a", {{"file", word("sheet.png")},
                                     {"mipmaps", no()},
                                     {"frame_size", array({number(7), number(7)})},
                                     {"frame_pivot", array({number(3), real(3.5f)})},
                                     {"color", array({number(1), real(0.5f), number(0)})}}),
                       sprite("b", {{"texture", word("a")},
                                    {"frames", array({number(0), number(1), number(2), number(3)})},
                                    {"duration", real(1.0f)},
                                    {"loop", yes()}}),
                       sprite("c", {{"texture", word("a")},
                                    {"frame", number(2)},
                                    {"pivot", word("center")},
                                    {"ccircle", array({number(1), number(2), number(3)})}})}}});
    seeds.push_back(
        {"grid-and-extracted",
         {1,
          {texture("a", {{"file", word("sheet.png")},
                         {"grid_size", array({number(2), number(2)})},
                         {"extract_frames", yes()},
                         {"mask_color", yes()},
                         {"mipmaps", no()}}),
           sprite("b", {{"texture", word("a")},
                        {"frames", array({array({number(0), real(0.1f)}),
                                          array({number(5), real(0.1f), real(0.3f)})})}})}}});
    seeds.push_back(
        {"dynamic",
         {0,
          {texture("a", {{"dynamic", yes()},
                         {"width", number(64)},
                         {"height", number(32)},
                         {"format", word("rgba")}}),
           sprite("b", {{"texture", word("a")},
                        {"rect", array({number(16), number(8), number(32)})},
                        {"border", array({number(1), number(2), number(3), number(4)})},
                        {"flip", word("1001")},
                        {"crect", number(-1)}}),
           sprite("c", {{"texture", word("a")},
                        {"pivot", word("bottom")},
                        {"crect", array({number(0), number(0), number(4), number(4)})}})}}});
    seeds.push_back(
        {"named-animation",
         {0,
          {texture("a", {{"_special_", word("_white_")}}), sprite("b", {{"texture", word("a")}}),
           sprite("c", {{"frames", array({word("b"), word("b")})}, {"duration", number(2)}}),
           sprite("d", {{"frames", array({array({word("b"), real(0.5f)}),
                                          array({word("c"), number(1), number(2)})})}}),
           sprite("_invalid_", {{"texture", word("a")}})}}});
    seeds.push_back(
        {"dds",
         {0,
          {texture("a", {{"file", word("mips.dds")}, {"mipmaps", no()}}),
           texture("b", {{"file", word("cube.dds")}, {"cube_map", yes()}, {"clampuv", yes()}}),
           texture("c", {{"_special_", word("_null_")}}), sprite("d", {{"texture", word("c")}})}}});
    seeds.push_back({"jpeg-iphone",
                     {4,
                      {texture("a", {{"file", word("photo.jpg")},
                                     {"mipmaps", no()},
                                     {"iphone_format", word("5551")},
                                     {"premultiply_alpha", no()},
                                     {"filtering", word("nearest")}}),
                       sprite("b", {{"texture", word("a")}, {"flip", word("0011")}})}}});
    return seeds;
}

bool write_defs_seeds(const SeedFolder& folder) {
    bool ok = true;
    for (const DefSeed& seed : def_seeds())
        ok = write_defs(folder, seed) && ok;
    return ok;
}

DefValue shader_word(const char* text) {
    return word(text, kShaderDefWords);
}

DefValue stream(const char* attribute, const char* type) {
    return table({{"attribute", shader_word(attribute)}, {"type", shader_word(type)}});
}

DefValue uniform(const char* name, const char* type) {
    return table({{"name", shader_word(name)}, {"type", shader_word(type)}});
}

DefEntry shader(const char* def_name, std::vector<DefSlot> slots) {
    return {false, name(def_name), std::move(slots)};
}

// A shader def that loads, with streams and uniforms as given.
DefEntry good_shader(const char* def_name, DefValue streams, DefValue uniforms) {
    return shader(def_name, {{"streams", std::move(streams)},
                             {"vertex_shader", shader_word("data/plain.vert")},
                             {"pixel_shader", array({shader_word("data/plain.frag")})},
                             {"uniforms", std::move(uniforms)}});
}

std::vector<DefSeed> shader_def_seeds() {
    const DefValue position = stream("gl_Vertex", "position3f");
    std::vector<DefSeed> seeds;
    seeds.push_back({"streams-and-uniforms",
                     {0,
                      {good_shader("a", array({position, stream("uv", "texcoord2f")}),
                                   array({uniform("color", "texture"),
                                          table({{"name", shader_word("gloss")},
                                                 {"type", shader_word("vector4f[]")},
                                                 {"property_name", shader_word("gloss")},
                                                 {"internal", yes()}})})),
                       good_shader("b",
                                   array({position, stream("uv", "normal3f"),
                                          stream("uv", "tangent4f"), stream("uv", "texcoord2f")}),
                                   array({}))}}});
    seeds.push_back({"stream-errors",
                     {0,
                      {good_shader("a", position, array({})),
                       good_shader("b", array({stream("uv", "texcoord2f"), position}), array({})),
                       good_shader("c", array({stream("uv", "position3f")}), array({})),
                       good_shader("d", array({position, number(3)}), array({}))}}});
    seeds.push_back(
        {"file-and-uniform-errors",
         {0,
          {shader("a", {{"streams", array({position})},
                        {"vertex_shader", array({})},
                        {"pixel_shader", shader_word("data/missing.frag")}}),
           good_shader("b", array({position}), uniform("color", "texture")),
           good_shader("c", array({position}),
                       array({table({{"name", shader_word("color")}, {"type", text("sampler2D")}}),
                              number(1)}))}}});
    return seeds;
}

bool write_shader_def_seeds(const SeedFolder& folder) {
    bool ok = true;
    for (const DefSeed& seed : shader_def_seeds())
        ok = write_defs(folder, seed, kShaderDefs) && ok;
    return ok;
}

DefValue emitter_word(const char* text) {
    return word(text, kEmitterDefWords);
}

DefEntry emitter(const char* def_name, std::vector<DefSlot> slots) {
    return {false, name(def_name), std::move(slots)};
}

std::vector<DefSeed> emitter_def_seeds() {
    std::vector<DefSeed> seeds;
    seeds.push_back(
        {"spawning",
         {0,
          {emitter("a", {{"sprite", emitter_word("timed")},
                         {"spawn_rate", array({number(5), number(10)})},
                         {"spawn_duration", number(2)},
                         {"spawn_box", array({number(4), real(8.5f)})},
                         {"direction", number(90)},
                         {"spread", number(20)}}),
           emitter("c", {{"sprite", emitter_word("timed")},
                         {"speed", array({number(10), number(20)})},
                         {"gravity", number(0)},
                         {"duration", array({number(1), number(2)})}}),
           emitter("b", {{"sprite", array({emitter_word("timed"), emitter_word("anim")})},
                         {"initial_delay", real(0.5f)},
                         {"spawn_rate", number(5)},
                         {"spawn_duration", number(0)},
                         {"angle", array({number(0), number(90)})},
                         {"rotation_speed", number(-45)}})}}});
    seeds.push_back(
        {"runs",
         {0,
          {emitter("a",
                   {{"sprite", emitter_word("flicker")},
                    {"alpha", array({real(0.5f), number(1)})},
                    {"alpha_run", array({number(1), number(0)})},
                    {"color_run", array({array({number(1), number(0), number(0)}), real(0.5f)})},
                    {"scale_run", array({number(1), array({number(2), number(3)})})},
                    {"occlusion_run", number(0)}}),
           emitter("b", {{"sprite", emitter_word("anim")},
                         {"alpha_run", real(0.5f)},
                         {"occlusion_run", array({number(0), text("x")})}})}}});
    seeds.push_back({"errors",
                     {0,
                      {emitter("a", {{"sprite", array({})}}),
                       emitter("b", {{"sprite", emitter_word("broken")}}),
                       emitter("c", {{"sprite", emitter_word("still")},
                                     {"duration", array({number(2), number(1)})}}),
                       emitter("d", {{"sprite", emitter_word("still")},
                                     {"alpha_run", array({number(1), number(0), real(0.5f)})}}),
                       emitter("_invalid_",
                               {{"sprite", emitter_word("missing")}, {"color_run", number(1)}})}}});
    return seeds;
}

bool write_emitter_def_seeds(const SeedFolder& folder) {
    bool ok = true;
    for (const DefSeed& seed : emitter_def_seeds())
        ok = write_defs(folder, seed, kEmitterDefs) && ok;
    return ok;
}

// An entry of a target with a single definition table.
DefEntry entry(const char* def_name, std::vector<DefSlot> slots) {
    return {false, name(def_name), std::move(slots)};
}

std::vector<DefSeed> curve_def_seeds() {
    std::vector<DefSeed> seeds;
    seeds.push_back({"channels",
                     {0,
                      {entry("a", {{"keys", array({number(0), number(1), number(2)})},
                                   {"data", array({number(0), number(10), number(20), number(5),
                                                   number(5), number(5)})}}),
                       entry("b", {{"keys", array({number(0), real(1.5f)})},
                                   {"data", array({number(0), number(6)})},
                                   {"time_scale", number(2)}}),
                       entry("c", {{"keys", array({real(-1.0f)})},
                                   {"data", array({number(3), real(0.25f), number(4)})}})}}});
    seeds.push_back(
        {"odd keys",
         {0,
          {entry("a", {{"keys", array({number(0), number(2), number(1)})},
                       {"data", array({number(0), number(20), number(40)})}}),
           entry("b",
                 {{"keys", array({number(0), number(1), number(1), number(2)})},
                  {"data", array({number(0), word("1", kCurveDefWords), number(2), number(3)})},
                  {"time_scale", real(-1.0f)}}),
           entry("c", {{"keys", array({text("x"), number(1)})},
                       {"data", array({number(1), number(2)})},
                       {"time_scale", text("fast")}})}}});
    seeds.push_back({"errors",
                     {0,
                      {entry("a", {{"keys", array({number(0), number(1)})},
                                   {"data", array({number(1), number(2), number(3)})}}),
                       entry("b", {{"keys", array({})}, {"data", array({number(1)})}}),
                       entry("c", {{"keys", number(1)}}),
                       entry("d", {{"keys", array({number(0)})}, {"data", number(1)}}),
                       entry("_invalid_", {})}}});
    return seeds;
}

bool write_curve_def_seeds(const SeedFolder& folder) {
    bool ok = true;
    for (const DefSeed& seed : curve_def_seeds())
        ok = write_defs(folder, seed, kCurveDefs) && ok;
    return ok;
}

DefValue material_word(const char* text) {
    return word(text, kMaterialDefWords);
}

std::vector<DefSeed> material_def_seeds() {
    const DefSlot std_shader{"shader", material_word("std")};
    const std::vector<DefEntry> problems = {
        entry("a", {std_shader, {"diffuse_texture", material_word("cube")}}),
        entry("b", {std_shader,
                    {"diffuse_texture", material_word("white")},
                    {"cubemap", material_word("white")}}),
        entry("c", {std_shader, {"diffuse_texture", material_word("broken")}}),
        entry("d", {std_shader,
                    {"diffuse_texture", material_word("missing")},
                    {"cubemap", material_word("cube")}}),
    };
    std::vector<DefSeed> seeds;
    seeds.push_back({"passes",
                     {0,
                      {entry("a", {std_shader,
                                   {"gloss", real(0.5f)},
                                   {"diffuse_texture", material_word("white")},
                                   {"cubemap", material_word("cube")}}),
                       entry("b", {std_shader, {"normal_texture", material_word("white")}}),
                       entry("c", {{"shader", material_word("")}, {"gloss", number(2)}})}}});
    seeds.push_back({"textures without placeholder", {0, problems}});
    seeds.push_back({"textures with placeholder", {1, problems}});
    return seeds;
}

bool write_material_def_seeds(const SeedFolder& folder) {
    bool ok = true;
    for (const DefSeed& seed : material_def_seeds())
        ok = write_defs(folder, seed, kMaterialDefs) && ok;
    return ok;
}

// The files that definitions name.
void write_def_data(const SeedFolder& folder) {
    folder.write("sheet.png", test::encode_png(framed_picture(15, 15, 7, 7)));
    folder.write("photo.jpg", test::encode_jpeg(8, 8, 3, samples(8 * 8 * 3)));
    folder.write("mips.dds", mipmapped_dxt1());
    folder.write("cube.dds", dxt1_cube_map());
    folder.write("plain.vert", std::string("attribute vec2 uv; varying vec2 t;\n"
                                           "void main() { t = uv; gl_Position = gl_Vertex; }\n"));
    folder.write("plain.frag",
                 std::string("varying vec2 t; uniform sampler2D color;\n"
                             "void main() { gl_FragColor = texture2D(color, t); }\n"));
}

}  // namespace
}  // namespace tarn::fuzz

int main(int argc, char** argv) {
    using namespace tarn::fuzz;
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FUZZ_DIRECTORY (tests/fuzz)\n", argv[0]);
        return 2;
    }
    tarn::create_singletons();
    tarn::script_host().start(tarn::engine_registrations());
    const fs::path root(argv[1]);
    write_png_seeds(SeedFolder(root / "corpus/png"));
    write_jpeg_seeds(SeedFolder(root / "corpus/jpeg"));
    write_dds_seeds(SeedFolder(root / "corpus/dds"));
    write_config_seeds(SeedFolder(root / "corpus/config"));
    write_utf_seeds(SeedFolder(root / "corpus/utf"));
    write_font_seeds(SeedFolder(root / "corpus/font"));
    write_closure_seeds(SeedFolder(root / "corpus/closure"));
    write_wav_seeds(SeedFolder(root / "corpus/wav"));
    write_ogg_seeds(SeedFolder(root / "corpus/ogg"));
    write_def_data(SeedFolder(root / "data"));
    const bool defs = write_defs_seeds(SeedFolder(root / "corpus/defs"));
    const bool shader_defs = write_shader_def_seeds(SeedFolder(root / "corpus/shader_defs"));
    const bool emitter_defs = write_emitter_def_seeds(SeedFolder(root / "corpus/emitter_defs"));
    const bool curve_defs = write_curve_def_seeds(SeedFolder(root / "corpus/curve_defs"));
    const bool material_defs = write_material_def_seeds(SeedFolder(root / "corpus/material_defs"));
    return defs && shader_defs && emitter_defs && curve_defs && material_defs ? 0 : 1;
}
