#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The byte form of the definition targets' input: a texture-format setting and a list of defs
// whose keys and values are drawn from the loaders' own vocabulary (a DefVocabulary: for the
// definitions target, the texture and sprite loaders'). Every byte string reads as some input
// (missing bytes read as zero), so the fuzzer never wastes a mutation on a syntax error; the seed
// writer encodes hand-written inputs with the same tables.
//
//   input := format:u8 entry*
//   entry := kind:u8 (even: texture, odd: sprite) name:u8 slots
//   slots := count:u8 (key value){count % 8}
//   key   := u8 index into the vocabulary's keys, or 255 and a string
//   value := tag:u8, then by tag % 8 (% 9 when the vocabulary has tables): null | bool:u8 |
//            integer:i32 | integer:i8 | float:f32 | word:u8 (index into the vocabulary's words) |
//            string | array: count:u8 value{count % 8} | table: slots
//   string := length:u8 (% 32) bytes
namespace tarn::fuzz {

inline constexpr std::array<const char*, 5> kDefNames = {"a", "b", "c", "d", "_invalid_"};

// The "textures_format" settings.
inline constexpr std::array<const char*, 6> kTextureFormats = {"",     "32",     "16",
                                                               "5551", "iphone", "24"};

// Every key the texture and sprite loaders read.
inline constexpr std::array<const char*, 33> kDefKeys = {
    "file",          "_special_",      "mipmaps",     "clampuv",    "premultiply_alpha",
    "mask_color",    "extract_frames", "dynamic",     "cube_map",   "filtering",
    "iphone_format", "frames",         "frame_pivot", "frame_size", "frame_width",
    "frame_height",  "grid_size",      "color",       "width",      "height",
    "image_width",   "image_height",   "format",      "texture",    "duration",
    "loop",          "flip",           "pivot",       "frame",      "rect",
    "border",        "ccircle",        "crect",
};

// Strings the loaders give a meaning: files of the target's data folder, built-ins, def names,
// options.
inline constexpr std::array<const char*, 28> kDefWords = {
    "sheet.png", "photo.jpg", "mips.dds",  "cube.dds", "missing.png", "sheet.PNG", "_white_",
    "_null_",    "a",         "b",         "c",        "d",           "_invalid_", "center",
    "bottom",    "nearest",   "trilinear", "rgb",      "rgba",        "rgba16f",   "luminance16",
    "16",        "5551",      "1",         "0101",     "0011",        "1001",      "11111",
};

// The keys and words of one target's defs, and whether values may be tables.
struct DefVocabulary {
    std::span<const char* const> keys;
    std::span<const char* const> words;
    bool tables = false;
};

inline constexpr DefVocabulary kTextureAndSpriteDefs{kDefKeys, kDefWords, false};

// Every key the shader loader reads, in the def and in its stream and uniform tables.
inline constexpr std::array<const char*, 9> kShaderDefKeys = {
    "streams", "uniforms", "vertex_shader", "pixel_shader", "attribute",
    "type",    "name",     "property_name", "internal",
};

// Stream and uniform types, attribute and property names, and source files of the target's data
// folder (and one that is missing).
inline constexpr std::array<const char*, 18> kShaderDefWords = {
    "position3f",
    "normal3f",
    "texcoord2f",
    "tangent4f",
    "gl_Vertex",
    "uv",
    "texture",
    "cubemap",
    "float",
    "vector3f",
    "vector4f",
    "vector4f[]",
    "color",
    "gloss",
    "data/plain.vert",
    "data/plain.frag",
    "data/missing.frag",
    "",
};

inline constexpr DefVocabulary kShaderDefs{kShaderDefKeys, kShaderDefWords, true};

// Every key the emitter loader reads.
inline constexpr std::array<const char*, 17> kEmitterDefKeys = {
    "sprite", "initial_delay", "spawn_rate", "spawn_duration", "spawn_box",     "direction",
    "spread", "speed",         "gravity",    "duration",       "angle",         "rotation_speed",
    "alpha",  "alpha_run",     "color_run",  "scale_run",      "occlusion_run",
};

// The sprites the emitter target defines (see emitter_defs_fuzz.cpp), and one that is missing.
inline constexpr std::array<const char*, 7> kEmitterDefWords = {
    "still", "timed", "anim", "flicker", "broken", "missing", "",
};

inline constexpr DefVocabulary kEmitterDefs{kEmitterDefKeys, kEmitterDefWords, false};

// Every key the curve loader reads.
inline constexpr std::array<const char*, 3> kCurveDefKeys = {"keys", "data", "time_scale"};

// The curve loader reads no strings: a word is a value that is not a number.
inline constexpr std::array<const char*, 2> kCurveDefWords = {"1", ""};

inline constexpr DefVocabulary kCurveDefs{kCurveDefKeys, kCurveDefWords, false};

// Every key the material loader reads: the shader set, the gloss and the texture of each sampler
// of the material target's shaders (see material_defs_fuzz.cpp), and one no sampler has.
inline constexpr std::array<const char*, 5> kMaterialDefKeys = {
    "shader", "gloss", "diffuse_texture", "cubemap", "normal_texture",
};

// The shader set, and the textures the material target defines: 2D, cube map, broken (its file
// is missing), undefined and the placeholder.
inline constexpr std::array<const char*, 7> kMaterialDefWords = {
    "std", "white", "cube", "broken", "missing", "_invalid_", "",
};

inline constexpr DefVocabulary kMaterialDefs{kMaterialDefKeys, kMaterialDefWords, false};

struct DefSlot;

struct DefValue {
    enum Kind : std::uint8_t {
        kNull,
        kBool,
        kInteger,
        kSmallInteger,
        kFloat,
        kWord,
        kString,
        kArray,
        kTable
    };

    Kind kind = kNull;
    std::int32_t integer = 0;  // kBool, kInteger, kSmallInteger, kWord (the word's index)
    float real = 0.0f;
    std::string text;
    std::vector<DefValue> items;
    std::vector<DefSlot> slots;  // kTable

    friend bool operator==(const DefValue& a, const DefValue& b);
};

struct DefSlot {
    std::string key;
    DefValue value;

    friend bool operator==(const DefSlot&, const DefSlot&) = default;
};

inline bool operator==(const DefValue& a, const DefValue& b) {
    return a.kind == b.kind && a.integer == b.integer &&
           std::memcmp(&a.real, &b.real, sizeof a.real) == 0 && a.text == b.text &&
           a.items == b.items && a.slots == b.slots;
}

struct DefEntry {
    bool sprite = false;
    std::uint8_t name = 0;  // index into kDefNames
    std::vector<DefSlot> slots;

    friend bool operator==(const DefEntry&, const DefEntry&) = default;
};

struct DefInput {
    std::uint8_t textures_format = 0;  // index into kTextureFormats
    std::vector<DefEntry> entries;

    friend bool operator==(const DefInput&, const DefInput&) = default;
};

inline constexpr int kMaxDefEntries = 16;
inline constexpr int kMaxDefDepth = 3;
inline constexpr std::uint8_t kFreeKey = 255;

// Reads the byte form; bytes past the end read as zero, and reading stops at the end.
class DefReader {
public:
    DefReader(const std::uint8_t* data, std::size_t size,
              const DefVocabulary& vocabulary = kTextureAndSpriteDefs)
        : data_(data), size_(size), vocabulary_(vocabulary) {}

    DefInput read() {
        DefInput input;
        input.textures_format = byte() % kTextureFormats.size();
        while (position_ < size_ && input.entries.size() < kMaxDefEntries)
            input.entries.push_back(entry());
        return input;
    }

private:
    std::uint8_t byte() { return position_ < size_ ? data_[position_++] : 0; }

    std::uint32_t word32() {
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i)
            value |= std::uint32_t{byte()} << (8 * i);
        return value;
    }

    std::string string() {
        std::string text(byte() % 32, '\0');
        for (char& c : text)
            c = static_cast<char>(byte());
        return text;
    }

    DefEntry entry() {
        DefEntry entry;
        entry.sprite = (byte() & 1) != 0;
        entry.name = byte() % kDefNames.size();
        entry.slots = slots(0);
        return entry;
    }

    // The slots of an entry (depth 0) or of a table value at depth - 1; tables deeper than the
    // deepest level read empty, as arrays do.
    std::vector<DefSlot> slots(int depth) {
        std::vector<DefSlot> out;
        for (int count = byte() % 8; count > 0 && depth <= kMaxDefDepth; --count) {
            const std::uint8_t key = byte();
            DefSlot slot;
            slot.key =
                key < vocabulary_.keys.size() ? std::string(vocabulary_.keys[key]) : string();
            slot.value = value(depth);
            out.push_back(std::move(slot));
        }
        return out;
    }

    DefValue value(int depth) {
        DefValue v;
        v.kind = static_cast<DefValue::Kind>(byte() % (vocabulary_.tables ? 9 : 8));
        switch (v.kind) {
            case DefValue::kBool:
                v.integer = byte() & 1;
                break;
            case DefValue::kInteger:
                v.integer = static_cast<std::int32_t>(word32());
                break;
            case DefValue::kSmallInteger:
                v.integer = static_cast<std::int8_t>(byte());
                break;
            case DefValue::kFloat: {
                const std::uint32_t bits = word32();
                std::memcpy(&v.real, &bits, sizeof bits);
                break;
            }
            case DefValue::kWord:
                v.integer = byte() % vocabulary_.words.size();
                break;
            case DefValue::kString:
                v.text = string();
                break;
            case DefValue::kArray:
                for (int count = byte() % 8; count > 0 && depth < kMaxDefDepth; --count)
                    v.items.push_back(value(depth + 1));
                break;
            case DefValue::kTable:
                v.slots = slots(depth + 1);
                break;
            case DefValue::kNull:
                break;
        }
        return v;
    }

    const std::uint8_t* data_;
    std::size_t size_;
    DefVocabulary vocabulary_;
    std::size_t position_ = 0;
};

// The byte form of an input, as DefReader reads it back.
class DefWriter {
public:
    explicit DefWriter(const DefVocabulary& vocabulary = kTextureAndSpriteDefs)
        : vocabulary_(vocabulary) {}

    std::string write(const DefInput& input) {
        bytes_.clear();
        bytes_.push_back(static_cast<char>(input.textures_format));
        for (const DefEntry& entry : input.entries) {
            bytes_.push_back(entry.sprite ? 1 : 0);
            bytes_.push_back(static_cast<char>(entry.name));
            slots(entry.slots);
        }
        return bytes_;
    }

private:
    void word32(std::uint32_t value) {
        for (int i = 0; i < 4; ++i)
            bytes_.push_back(static_cast<char>(value >> (8 * i)));
    }

    void string(std::string_view text) {
        bytes_.push_back(static_cast<char>(text.size()));
        bytes_.append(text);
    }

    void slots(const std::vector<DefSlot>& list) {
        bytes_.push_back(static_cast<char>(list.size()));
        for (const DefSlot& slot : list) {
            key(slot.key);
            value(slot.value);
        }
    }

    void key(std::string_view name) {
        for (std::size_t i = 0; i < vocabulary_.keys.size(); ++i) {
            if (name == vocabulary_.keys[i]) {
                bytes_.push_back(static_cast<char>(i));
                return;
            }
        }
        bytes_.push_back(static_cast<char>(kFreeKey));
        string(name);
    }

    void value(const DefValue& v) {
        bytes_.push_back(static_cast<char>(v.kind));
        switch (v.kind) {
            case DefValue::kBool:
            case DefValue::kSmallInteger:
            case DefValue::kWord:
                bytes_.push_back(static_cast<char>(v.integer));
                break;
            case DefValue::kInteger:
                word32(static_cast<std::uint32_t>(v.integer));
                break;
            case DefValue::kFloat: {
                std::uint32_t bits = 0;
                std::memcpy(&bits, &v.real, sizeof bits);
                word32(bits);
                break;
            }
            case DefValue::kString:
                string(v.text);
                break;
            case DefValue::kArray:
                bytes_.push_back(static_cast<char>(v.items.size()));
                for (const DefValue& item : v.items)
                    value(item);
                break;
            case DefValue::kTable:
                slots(v.slots);
                break;
            case DefValue::kNull:
                break;
        }
    }

    DefVocabulary vocabulary_;
    std::string bytes_;
};

}  // namespace tarn::fuzz
