#pragma once

#include "core/cvar_list.hpp"
#include "resources/font_list.hpp"
#include "resources/texture_list.hpp"
#include "script/open_file_list.hpp"

namespace tarn {

// The lists of live engine objects that the engine walks as a whole.
struct ObjectRegistry {
    CVarList cvars;
    TextureList textures;
    FontList fonts;
    OpenFileList open_files;
};

}  // namespace tarn
