#pragma once

#include <cstdint>
#include <vector>

#include "core/shared_string.hpp"
#include "render/shader_inputs.hpp"
#include "resources/def_table.hpp"

namespace tarn {

// The parts of a shader definition, read without GL. Each reader logs the first problem it meets
// and returns false.

// The GLSL sources of a shader definition, one text per file, in order.
struct ShaderSources {
    std::vector<SharedString> vertex;
    std::vector<SharedString> pixel;
};

// The def's "streams" into shader's streams, then the files that "vertex_shader" and
// "pixel_shader" name (a file or a non-empty array of files each), read as text. File names are
// paths as the game writes them, from the working directory, not names in the data folder.
bool read_shader_program(const DefTable& def, ShaderInputs& shader, ShaderSources& sources);

// A uniform as its definition gives it: the GLSL name, the uniform type (a uniform_type value),
// the render property it stands for and whether the renderer fills it itself.
struct UniformDef {
    SharedString name;
    std::uint32_t type = 0;
    SharedString property_name;
    bool internal = false;
};

// The elements of the def's "uniforms" array (which may be empty).
bool read_uniform_list(const DefTable& def, std::vector<ScriptObject>& items);
// Uniform index of that array.
bool read_uniform_def(const ScriptObject& item, int index, UniformDef& out);

}  // namespace tarn
