#include "resources/shader_def.hpp"

#include <span>

#include "core/log.hpp"
#include "core/message.hpp"
#include "core/std_file.hpp"
#include "core/wide_path.hpp"
#include "render/vertex_format.hpp"

namespace tarn {

namespace {

struct NamedCode {
    const char* name;
    std::uint32_t code;
};

constexpr NamedCode kStreamTypes[] = {
    {"position3f", element_code::kPosition3f},
    {"normal3f", 0x631},
    {"texcoord2f", element_code::kTexCoord2f},
    {"tangent4f", 0x644},
};

constexpr NamedCode kUniformTypes[] = {
    {"texture", uniform_type::kTexture},   {"cubemap", uniform_type::kCubeMap},
    {"float", uniform_type::kFloat},       {"vector3f", uniform_type::kVector3f},
    {"vector4f", uniform_type::kVector4f}, {"vector4f[]", uniform_type::kVector4fArray},
};

// The code of name in table, or 0.
std::uint32_t code_of(std::span<const NamedCode> table, const SharedString& name) {
    for (const NamedCode& entry : table) {
        if (name == entry.name)
            return entry.code;
    }
    return 0;
}

bool fail(const SharedString& text) {
    log_message(text);
    return false;
}

bool is_position(std::uint32_t format) {
    return element_code::semantic(format) == static_cast<int>(Semantic::kPosition);
}

bool read_stream(const ScriptObject& item, int index, ShaderStream& out) {
    if (item.type() != OT_TABLE)
        return fail(message("Stream %1 def is invalid, must be a table.", index));
    const DefTable def(item);
    const SharedString type = def.string("type");
    out.attribute = def.string("attribute");
    out.format = code_of(kStreamTypes, type);
    if (out.format == 0)
        return fail(message("Invalid shader stream %1 type '%2'.", index, type));
    if (index == 0 && !is_position(out.format))
        return fail("The first shader stream must be position stream.");
    if (index != 0 && is_position(out.format))
        return fail("Only the first shader stream can be position stream.");
    if (is_position(out.format) && out.attribute != "gl_Vertex")
        return fail(message("Position shader stream %1 must be bound to gl_Vertex.", index));
    return true;
}

bool read_streams(const DefTable& def, ShaderInputs& shader) {
    const ScriptObject streams = def.get("streams");
    if (streams.type() != OT_ARRAY)
        return fail("The def's streams must be an array.");
    const std::vector<ScriptObject> items = elements_of(streams);
    if (items.empty())
        return fail("At least one shader stream must be specified.");
    if (items.size() > ShaderInputs::kMaxStreams)
        return fail("Too many shader streams.");
    shader.stream_count = 0;
    for (const ScriptObject& item : items) {
        if (!read_stream(item, shader.stream_count, shader.streams[shader.stream_count]))
            return false;
        ++shader.stream_count;
    }
    return true;
}

// The file names key gives: one string, or a non-empty array of strings.
bool read_file_names(const DefTable& def, const char* key, const char* missing,
                     std::vector<SharedString>& names) {
    const ScriptObject value = def.get(key);
    const std::vector<ScriptObject> items =
        value.type() == OT_ARRAY ? elements_of(value) : std::vector<ScriptObject>{value};
    names.clear();
    for (const ScriptObject& item : items) {
        if (item.type() != OT_STRING)
            break;
        names.emplace_back(sq_objtostring(&item.handle()));
    }
    if (names.empty() || names.size() != items.size())
        return fail(missing);
    return true;
}

// Replaces each file name by the file's text.
bool read_texts(std::vector<SharedString>& files) {
    for (SharedString& file : files) {
        SharedString text;
        if (!read_text(WidePath(file), text))
            return false;
        file = std::move(text);
    }
    return true;
}

}  // namespace

bool read_shader_program(const DefTable& def, ShaderInputs& shader, ShaderSources& sources) {
    return read_streams(def, shader) &&
           read_file_names(def, "vertex_shader", "Vertex shader file not specified.",
                           sources.vertex) &&
           read_file_names(def, "pixel_shader", "Pixel shader file not specified.",
                           sources.pixel) &&
           read_texts(sources.vertex) && read_texts(sources.pixel);
}

bool read_uniform_list(const DefTable& def, std::vector<ScriptObject>& items) {
    const ScriptObject uniforms = def.get("uniforms");
    if (uniforms.type() != OT_ARRAY)
        return fail("The def's uniforms must be an array.");
    items = elements_of(uniforms);
    return true;
}

bool read_uniform_def(const ScriptObject& item, int index, UniformDef& out) {
    if (item.type() != OT_TABLE)
        return fail(message("Uniform %1 def is invalid, must be a table.", index));
    const DefTable def(item);
    out.name = def.string("name");
    const SharedString type = def.string("type");
    out.type = code_of(kUniformTypes, type);
    if (out.type == 0)
        return fail(message("Invalid shader uniform %1 type '%2'.", index, type));
    out.property_name = def.string("property_name", out.name.data());
    out.internal = def.boolean("internal", false);
    return true;
}

}  // namespace tarn
