::System.run_script("scripts/check.nut");

// Textures stay alive here so that the memory they hold keeps counting.
::g_keep <- [];

// Loads a new texture of def name and returns [loaded, bytes it added to the memory usage].
function load_counted(name) {
    local before = ::System.get_texture_memory_usage();
    local texture = Texture.create(name);
    local loaded = texture.load();
    ::g_keep.append(texture);
    return [loaded, ::System.get_texture_memory_usage() - before];
}

function check_loads(name, bytes, what) {
    local result = load_counted(name);
    check_equal(result[0], true, what + ": loads");
    check_equal(result[1], bytes, what + ": texture memory");
}

function check_fails(name, what) {
    local result = load_counted(name);
    check_equal(result[0], false, what + ": fails");
    check_equal(result[1], 0, what + ": holds no texture memory");
}

local defs = ::g_texture_defs;

// Pictures are padded to powers of two: 640 x 480 becomes 1024 x 512.
defs.photo <- {file = "photo.png", mipmaps = false};
defs.photo_nearest <- {file = "photo.png", mipmaps = false, filtering = "nearest"};
check_loads("photo", 1024 * 512 * 4, "RGBA PNG");
check_loads("photo_nearest", 1024 * 512 * 4, "nearest filtering");

// mipmaps defaults to true, and only DDS files carry mipmaps.
defs.photo_mipmapped <- {file = "photo.png"};
check_fails("photo_mipmapped", "mipmapped PNG");

// Sharing by name.
local photo = Texture.create("photo");
check(photo == ::g_keep[0], "create of a cached name gives the cached texture");
check(Texture.find("photo") == photo, "find gives the cached texture");
check_equal(Texture.find("no_such_texture"), null, "find of an unknown name");
check_equal(photo.get_def_name(), "photo", "def name");
local failed = Texture.find("photo_mipmapped");
check(failed != null && Texture.create("photo_mipmapped") == failed,
      "a cached texture that failed is still handed out by create");
check_equal(failed.load(), false, "a failed texture does not load again");
local anonymous = Texture.create({file = "photo.png", mipmaps = false});
check(anonymous != Texture.create({file = "photo.png", mipmaps = false}),
      "each table def makes a new texture");
check_equal(anonymous.get_def_name(), "", "a table def has no name");
check_equal(anonymous.load(), true, "a texture from a table def loads");
check(anonymous instanceof EngineObject, "Texture is an EngineObject");
local unnamed = Texture();
check_equal(unnamed.get_def(), null, "a constructed texture has no def");
unnamed.set_def("photo_nearest");
check_equal(unnamed.load(), true, "a constructed texture loads once given a def");
check_equal(error_of(@() Texture.create("a", "b")), "Invalid number of arguments to create().",
            "create with two arguments");
check(error_of(@() Texture.find(5)) != null, "find needs a string");
check_equal(error_of(@() Texture.load.call(File())), "Expecting Texture", "load on a File");
check_equal(Texture.create().get_def_name(), "", "create without a def");

// 16-bit storage as textures_format asks.
::System.set_cvar("textures_format", "16");
defs.photo16 <- {file = "photo.png", mipmaps = false};
check_loads("photo16", 1024 * 512 * 2, "textures_format 16");
::System.set_cvar("textures_format", "5551");
defs.photo5551 <- {file = "photo.png", mipmaps = false};
check_loads("photo5551", 1024 * 512 * 2, "textures_format 5551");
::System.set_cvar("textures_format", "iphone");
defs.photo_iphone <- {file = "photo.png", mipmaps = false};
defs.photo_iphone32 <- {file = "photo.png", mipmaps = false, iphone_format = "32"};
check_loads("photo_iphone", 1024 * 512 * 2, "iphone defaults to 16 bits");
check_loads("photo_iphone32", 1024 * 512 * 4, "iphone_format 32");
::System.set_cvar("textures_format", "24");
defs.photo_bad_format <- {file = "photo.png", mipmaps = false};
check_loads("photo_bad_format", 1024 * 512 * 4, "an unknown textures_format keeps 8 bits");
::System.set_cvar("textures_format", "");

// Frames.
defs.tiles <- {file = "tiles.png", mipmaps = false, frame_size = [32, 32], frame_pivot = [16, 16]};
check_loads("tiles", 128 * 128 * 3, "RGB PNG cut by frame size");
defs.tiles_grid <- {file = "tiles.png", mipmaps = false, grid_size = [3, 2], color = [1, 0, 0]};
check_loads("tiles_grid", 128 * 128 * 3, "grid of frames");
defs.tiles_half <- {file = "tiles.png", mipmaps = false, frame_size = [0, 10]};
check_loads("tiles_half", 128 * 128 * 3, "one frame side 0");
defs.tiles_old <- {file = "tiles.png", mipmaps = false, frame_width = 10, frame_height = 10};
check_loads("tiles_old", 128 * 128 * 3, "frame_width and frame_height");
defs.tiles_frames <- {file = "tiles.png", mipmaps = false, frames = 4};
check_loads("tiles_frames", 128 * 128 * 3, "frames key");
defs.tiles_zero <- {file = "tiles.png", mipmaps = false, frame_size = [0, 0]};
check_fails("tiles_zero", "frame size 0 x 0");
defs.tiles_tiny <- {file = "tiles.png", mipmaps = false, frame_size = [0.001, 0.001]};
check_fails("tiles_tiny", "frames far smaller than a pixel");
defs.tiles_huge_grid <- {file = "tiles.png", mipmaps = false, grid_size = [1e9, 1e9]};
check_fails("tiles_huge_grid", "a grid of a billion squared frames");
defs.sheet_masked <- {file = "sheet.png", mipmaps = false, mask_color = true};
check_loads("sheet_masked", 64 * 16 * 4, "mask_color makes RGB transparent");
defs.sheet_frames <- {file = "sheet.png", mipmaps = false, extract_frames = true};
check_loads("sheet_frames", 64 * 16 * 3, "extract_frames");

// Built-in and dynamic textures.
defs.white <- {_special_ = "_white_"};
check_loads("white", 3, "_white_");
defs.nothing <- {_special_ = "_null_"};
check_loads("nothing", 0, "_null_");
defs.target_rgba <- {dynamic = true, width = 256, height = 128, format = "rgba"};
check_loads("target_rgba", 256 * 128 * 4, "dynamic rgba");
defs.target_rgb <- {dynamic = true, width = 64, height = 64, image_width = 50, format = "rgb"};
check_loads("target_rgb", 64 * 64 * 3, "dynamic rgb");
defs.target_float <- {dynamic = true, width = 16, height = 16, format = "rgba16f"};
check_loads("target_float", 16 * 16 * 8, "dynamic rgba16f");
defs.target_wide <- {dynamic = true, width = 256, height = 256, image_width = 300, format = "rgba"};
check_fails("target_wide", "image wider than the texture");
defs.target_empty <- {dynamic = true, width = 0, height = 16, format = "rgba"};
check_fails("target_empty", "dynamic width 0");
defs.target_bgr <- {dynamic = true, width = 16, height = 16, format = "bgr"};
check_fails("target_bgr", "unknown dynamic format");
defs.target_huge <- {dynamic = true, width = 1000000, height = 1000000, format = "rgba"};
check_fails("target_huge", "dynamic texture beyond the driver's limits");
defs.target_crash <- {dynamic = true, width = 33554432, height = 33554432, format = "rgba16f"};
check_fails("target_crash", "a side of 2^25 is refused before the driver sees it");

// DDS files.
defs.mipmapped <- {file = "mipmapped.dds"};
check_loads("mipmapped", 32 + 8 + 8 + 8, "DXT1 with four levels");
defs.cube <- {file = "cube.dds", cube_map = true, clampuv = true};
check_loads("cube", 6 * 8, "cube map");
defs.cube_repeat <- {file = "cube.dds", cube_map = true};
check_loads("cube_repeat", 6 * 8, "cube map without clamp");
defs.cube_as_2d <- {file = "cube.dds"};
check_fails("cube_as_2d", "cube map file for a 2D texture");
defs.flat_as_cube <- {file = "mipmapped.dds", cube_map = true};
check_fails("flat_as_cube", "2D file for a cube map");
defs.uncompressed <- {file = "plain.dds"};
check_fails("uncompressed", "uncompressed DDS");
defs.png_cube <- {file = "photo.png", cube_map = true, mipmaps = false};
check_fails("png_cube", "cube map from a PNG");

// Bad definitions and files never crash.
defs.bilinear <- {file = "photo.png", mipmaps = false, filtering = "bilinear"};
check_fails("bilinear", "unknown filtering");
defs.corrupt <- {file = "corrupt.png", mipmaps = false};
check_fails("corrupt", "corrupt PNG");
defs.truncated <- {file = "truncated.png", mipmaps = false};
check_fails("truncated", "truncated PNG");
defs.missing <- {file = "missing.png", mipmaps = false};
check_fails("missing", "missing file");
defs.upper <- {file = "upper.PNG", mipmaps = false};
check_fails("upper", "upper-case extension");
defs.wide <- {file = "wide.png", mipmaps = false};
check_fails("wide", "picture wider than 2048");
defs.number <- 5;
check_fails("number", "a def that is not a table");
check_fails("undefined", "no def at all");
defs.weird <- {file = 5, mipmaps = "no", frame_size = "big", filtering = null, width = [1]};
check_fails("weird", "keys of the wrong types");
defs.weird_frames <- {file = "tiles.png", mipmaps = false, frame_size = [1, "x"], grid_size = 2};
check_fails("weird_frames", "frame size with a string");

// A new video mode re-creates every texture that was loaded.
local usage = ::System.get_texture_memory_usage();
check(usage > 0, "textures hold memory");
::System.message("VIDEO MODE CHANGE");
::System.set_video_mode();
// The three 16-bit textures come back in 32 bits, as textures_format now says.
check_equal(::System.get_texture_memory_usage(), usage + 3 * 1024 * 512 * 2,
            "memory after the video mode change");
check_equal(photo.load(), true, "a texture stays loaded across a video mode change");

checks_done();
::System.request_quit();
return null;
