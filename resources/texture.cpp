#include "resources/texture.hpp"

#include <cmath>
#include <cstring>
#include <optional>

#include "core/cvar_list.hpp"
#include "core/log.hpp"
#include "core/message.hpp"
#include "core/std_file.hpp"
#include "core/wide_path.hpp"
#include "resources/dds.hpp"
#include "resources/def_table.hpp"
#include "resources/image_decoder.hpp"
#include "resources/texture_format.hpp"
#include "resources/texture_frames.hpp"
#include "resources/texture_list.hpp"

namespace tarn {

ClassDescriptor Texture::class_descriptor("Texture", &EngineObject::class_descriptor,
                                          "texture_def_to_obj", "g_texture_defs", nullptr,
                                          []() -> EngineObject* { return new Texture; });

namespace {

// Largest picture side an image texture accepts.
constexpr std::int32_t kMaxTextureSide = 2048;

bool equals(const SharedString& text, const char* value) {
    return std::strcmp(text.data(), value) == 0;
}

bool ends_with(const SharedString& text, const char* suffix) {
    const auto n = static_cast<int>(std::strlen(suffix));
    return text.length() >= n && std::memcmp(text.data() + text.length() - n, suffix, n) == 0;
}

// A grid count from a script number: floored, NaN as 0, saturated far above any real grid.
std::int64_t to_count(float value) {
    if (!(value > 0.0f))
        return 0;
    return value > 1e12f ? std::int64_t{1000000000000} : static_cast<std::int64_t>(value);
}

std::optional<CompressedFormat> compressed_format(DdsFormat format) {
    switch (format) {
        case DdsFormat::kDxt1:
            return CompressedFormat::kDxt1;
        case DdsFormat::kDxt3:
            return CompressedFormat::kDxt3;
        case DdsFormat::kDxt5:
            return CompressedFormat::kDxt5;
        default:
            return std::nullopt;
    }
}

// The faces and levels of dds as the GPU texture takes them.
CompressedImage compressed_image(const DdsImage& dds, CompressedFormat format) {
    CompressedImage image;
    image.format = format;
    image.levels_per_face = dds.mip_count;
    for (int face = 0; face < dds.face_count; ++face) {
        for (const DdsLevel& l : dds.faces[face])
            image.levels.push_back({l.width, l.height, l.size, dds.level_data(l)});
    }
    return image;
}

}  // namespace

// Carries one load of a texture from its def; every step logs its own failure.
class TextureLoader {
public:
    explicit TextureLoader(Texture& texture)
        : t_(texture), def_(texture.get_def()), name_(texture.get_def_name()) {}

    bool run();

private:
    bool read_flags();
    bool load_white();
    void load_null();
    bool load_image();
    DecodeResult decode(ImageType type, const Bytes& bytes, bool eight_bit, Image& image);
    bool finish_8bit(Image& image);
    bool build_frames(const Image& image);
    void add_frames(const std::vector<ImageFrame>& rects, std::array<float, 2> pivot);
    bool upload(const Image& image);
    // Counts the bytes of a finished upload; a refused one fails the load with the size message.
    bool count_upload(std::optional<std::int32_t> bytes, int width, int height);
    bool load_dds();
    bool check_dds(const DdsImage& dds, CompressedFormat& format);
    bool load_dynamic();
    bool check_dynamic_size();
    TextureSampling sampling() const;
    void set_sizes(std::int32_t width, std::int32_t height);
    TextureFormatChoice format_choice() const;
    bool has_flag(std::uint32_t flag) const { return (t_.flags_ & flag) != 0; }

    Texture& t_;
    DefTable def_;
    SharedString name_;
    SharedString file_;
};

bool TextureLoader::run() {
    if (def_.is_null()) {
        log_message(message("No def for texture '%1'.", name_));
        return false;
    }
    if (!read_flags())
        return false;
    file_ = def_.string("file");
    if (file_.length() == 0)
        file_ = name_;
    const SharedString special = def_.string("_special_");
    if (equals(special, "_white_"))
        return load_white();
    if (equals(special, "_null_")) {
        load_null();
        return true;
    }
    if (has_flag(kTextureDynamic))
        return load_dynamic();
    if (ends_with(file_, ".dds"))
        return load_dds();
    if (has_flag(kTextureCubeMap)) {
        log_message("Cube maps from images not supported yet.");
        return false;
    }
    return load_image();
}

bool TextureLoader::read_flags() {
    struct Key {
        const char* name;
        bool fallback;
        std::uint32_t flag;
    };
    static constexpr Key kKeys[] = {
        {"mipmaps", true, kTextureMipmaps},
        {"clampuv", false, kTextureClampUV},
        {"premultiply_alpha", true, kTexturePremultiplied},
        {"mask_color", false, kTextureMaskColor},
        {"extract_frames", false, kTextureExtractFrames},
        {"dynamic", false, kTextureDynamic},
        {"cube_map", false, kTextureCubeMap},
    };
    t_.set_flags(0);
    t_.memory_bytes_ = 0;
    for (const Key& key : kKeys) {
        if (def_.boolean(key.name, key.fallback))
            t_.flags_ |= key.flag;
    }
    const SharedString value = def_.string("filtering", "trilinear");
    if (equals(value, "trilinear"))
        return true;
    if (equals(value, "nearest")) {
        t_.flags_ |= kTextureNearest;
        return true;
    }
    log_message(message("Invalid %1 filtering.", value));
    return false;
}

void TextureLoader::set_sizes(std::int32_t width, std::int32_t height) {
    t_.width_ = width;
    t_.height_ = height;
    t_.inv_width_ = 1.0f / static_cast<float>(width);
    t_.inv_height_ = 1.0f / static_cast<float>(height);
}

bool TextureLoader::load_white() {
    t_.set_flags(kTextureClampUV | kTexturePremultiplied);
    t_.image_width_ = t_.image_height_ = 1;
    set_sizes(1, 1);
    Image image;
    if (!image.allocate(1, 1, PixelFormat::RGB8))
        return false;
    image.image_width = image.image_height = 1;
    std::memset(image.data.get(), 255, 3);
    return upload(image);
}

void TextureLoader::load_null() {
    t_.image_width_ = t_.image_height_ = t_.width_ = t_.height_ = 0;
    t_.inv_width_ = t_.inv_height_ = 1.0f;
    t_.set_flags(kTextureNull | kTexturePremultiplied | kTextureClampUV);
    t_.memory_bytes_ = 0;
}

TextureFormatChoice TextureLoader::format_choice() const {
    SharedString iphone = def_.string("iphone_format");
    if (!def_.has("iphone_format"))
        iphone = SharedString("16");
    return choose_texture_format(cvar_list().get_string("textures_format"), iphone);
}

bool TextureLoader::load_image() {
    const ImageType type = detect_image_type(file_);
    if (type == ImageType::Unknown)
        return false;
    Bytes bytes;
    if (!read_data_file(file_, bytes))
        return false;
    const bool eight_bit = has_flag(kTextureMipmaps | kTextureMaskColor | kTextureExtractFrames);
    Image image;
    const DecodeResult decoded = decode(type, bytes, eight_bit, image);
    if (decoded == DecodeResult::Failed)
        return false;
    t_.image_width_ = image.image_width;
    t_.image_height_ = image.image_height;
    if (decoded == DecodeResult::TooLarge) {
        log_message(message("Invalid or unsupported texture size %1x%2.", image.image_width,
                            image.image_height));
        return false;
    }
    set_sizes(image.width, image.height);
    if (!build_frames(image))
        return false;
    if (eight_bit && !finish_8bit(image))
        return false;
    return upload(image);
}

// A picture larger than a texture takes is refused from its header, before it is decoded.
DecodeResult TextureLoader::decode(ImageType type, const Bytes& bytes, bool eight_bit,
                                   Image& image) {
    const std::uint32_t flags =
        eight_bit ? std::uint32_t{kDecodeExtendPow2}
                  : decode_flags_for(format_choice(), has_flag(kTexturePremultiplied));
    return decode_image(bytes.data(), static_cast<std::int64_t>(bytes.size()), type, flags, image,
                        kMaxTextureSide);
}

bool TextureLoader::finish_8bit(Image& image) {
    if (has_flag(kTextureMaskColor))
        apply_color_key(image);
    if (has_flag(kTextureMipmaps)) {
        log_message("Mipmaps not supported yet!");
        return false;
    }
    const TextureFormatChoice choice = format_choice();
    const bool premultiply = has_flag(kTexturePremultiplied);
    if (choice.to_16bit)
        convert_to_16bit(image, premultiply, choice.use_5551);
    else if (premultiply)
        premultiply_alpha(image);
    return true;
}

bool TextureLoader::build_frames(const Image& image) {
    if (def_.has("frames")) {
        log_message(
            "'frames' is not supported any more in texture def! Use frame_size=[w,h] or "
            "grid_size=[x,y].");
    }
    std::array<float, 2> pivot = {0.0f, 0.0f};
    def_.pair("frame_pivot", pivot);
    std::array<float, 2> size{};
    bool by_size = def_.pair("frame_size", size);
    if (!by_size && !def_.has("frame_size") && def_.has("frame_width") &&
        def_.has("frame_height")) {
        log_message("Please replace frame_width and frame_height by frame_size in texture def!");
        size = {def_.number("frame_width", 0.0f), def_.number("frame_height", 0.0f)};
        by_size = true;
    }
    std::vector<ImageFrame> rects;
    if (def_.has("frame_size") && !by_size) {
        log_message("Invalid frame size.");
        return false;
    }
    if (by_size) {
        if (!(size[0] > 0.0f) && !(size[1] > 0.0f)) {
            log_message("Invalid frame size.");
            return false;
        }
        if (!frames_by_size(t_.image_width_, t_.image_height_, size[0], size[1], rects)) {
            log_message("Invalid frame size.");
            return false;
        }
        add_frames(rects, pivot);
    }
    std::array<float, 2> grid{};
    if (def_.pair("grid_size", grid)) {
        rects.clear();
        if (!frames_by_grid(t_.image_width_, t_.image_height_, to_count(grid[0]), to_count(grid[1]),
                            rects)) {
            log_message("Invalid frame size.");
            return false;
        }
        add_frames(rects, pivot);
    }
    if (has_flag(kTextureExtractFrames))
        add_frames(find_frames(image), {0.0f, 0.0f});
    return true;
}

void TextureLoader::add_frames(const std::vector<ImageFrame>& rects, std::array<float, 2> pivot) {
    std::array<float, 4> color = {1.0f, 1.0f, 1.0f, 1.0f};
    def_.color("color", color);
    for (const ImageFrame& r : rects) {
        TextureFrame frame;
        frame.x = r.x;
        frame.y = r.y;
        frame.w = r.w;
        frame.h = r.h;
        frame.u0 = r.x * t_.inv_width_;
        frame.v0 = r.y * t_.inv_height_;
        frame.u1 = (r.x + r.w) * t_.inv_width_;
        frame.v1 = (r.y + r.h) * t_.inv_height_;
        frame.pivot_x = pivot[0];
        frame.pivot_y = pivot[1];
        frame.color = color;
        t_.frames_.push_back(frame);
    }
}

TextureSampling TextureLoader::sampling() const {
    return {has_flag(kTextureClampUV), has_flag(kTextureNearest), has_flag(kTextureMipmaps)};
}

bool TextureLoader::upload(const Image& image) {
    if (!t_.create_gl_texture(GpuTexture::Kind::k2d))
        return false;
    return count_upload(
        t_.upload_pixels({image.width, image.height, image.format, image.data.get()}, sampling()),
        image.width, image.height);
}

bool TextureLoader::count_upload(std::optional<std::int32_t> bytes, int width, int height) {
    if (!bytes) {
        log_message(message("Invalid or unsupported texture size %1x%2.", width, height));
        return false;
    }
    t_.memory_bytes_ += *bytes;
    return true;
}

bool TextureLoader::check_dds(const DdsImage& dds, CompressedFormat& format) {
    if (dds.mip_count > 1)
        t_.flags_ |= kTextureMipmaps;
    const std::optional<CompressedFormat> known = compressed_format(dds.format);
    if (!known) {
        log_message("Invalid texture format, internal error.");
        return false;
    }
    format = *known;
    const bool want_cube = has_flag(kTextureCubeMap);
    if (want_cube && !dds.is_cube_map()) {
        log_message("DDS texture is not cube map, but cube map texture expected.");
        return false;
    }
    if (!want_cube && dds.is_cube_map()) {
        log_message("DDS texture is cube map, but normal 2D texture expected.");
        return false;
    }
    return true;
}

bool TextureLoader::load_dds() {
    DdsImage dds;
    CompressedFormat format{};
    if (!read_dds(join(data_path(), WidePath(file_)), dds) || !check_dds(dds, format))
        return false;
    const bool cube = dds.is_cube_map();
    if (!t_.create_gl_texture(cube ? GpuTexture::Kind::kCubeMap : GpuTexture::Kind::k2d))
        return false;
    if (cube && !has_flag(kTextureClampUV))
        log_message(message("Cubemap %1 doesn't use uv clamp!", name_));
    if (!count_upload(t_.upload_compressed(compressed_image(dds, format), sampling()), dds.width,
                      dds.height))
        return false;
    t_.image_width_ = dds.width;
    t_.image_height_ = dds.height;
    set_sizes(dds.width, dds.height);
    return true;
}

bool TextureLoader::check_dynamic_size() {
    const int width = def_.integer("width", 0);
    const int height = def_.integer("height", 0);
    if (width <= 0 || height <= 0) {
        log_message("Invalid dynamic texture size.");
        return false;
    }
    const int image_width = def_.integer("image_width", width);
    const int image_height = def_.integer("image_height", height);
    if (image_width <= 0 || image_height <= 0 || image_width > width || image_height > height) {
        log_message("Invalid dynamic texture image size.");
        return false;
    }
    t_.image_width_ = image_width;
    t_.image_height_ = image_height;
    set_sizes(width, height);
    return true;
}

bool TextureLoader::load_dynamic() {
    t_.flags_ &= ~std::uint32_t{kTextureMipmaps | kTexturePremultiplied | kTextureMaskColor |
                                kTextureExtractFrames};
    if (!check_dynamic_size())
        return false;
    const SharedString format_name = def_.string("format");
    const std::optional<DynamicFormat> format = dynamic_format_named(format_name.data());
    if (!format) {
        log_message(message("Invalid format %1 of dynamic texture.", format_name));
        return false;
    }
    if (!t_.create_gl_texture(GpuTexture::Kind::k2d))
        return false;
    const std::optional<std::int32_t> bytes =
        t_.allocate(*format, t_.width_, t_.height_, sampling());
    if (!bytes) {
        log_message("Invalid dynamic texture size.");
        return false;
    }
    t_.memory_bytes_ += *bytes;
    return true;
}

Texture::Texture() {
    link();
}

Texture::~Texture() {
    frames_.clear();
    set_load_state(kNotLoaded);
    unlink();
}

bool Texture::load() {
    delete_gl_texture();
    frames_.clear();
    if (TextureLoader(*this).run()) {
        set_load_state(kLoaded);
        return true;
    }
    delete_gl_texture();
    frames_.clear();
    memory_bytes_ = 0;
    set_load_state(kFailed);
    log_message(message("Unable to load texture '%1'.", get_def_name()));
    return false;
}

void Texture::forget() {
    // The renderer may hold the last reference (a pending quad batch); keep this texture alive
    // until it is done with.
    const bool counted = ref_count() > 0;
    if (counted)
        add_ref();
    delete_gl_texture();
    frames_.clear();
    memory_bytes_ = 0;
    set_load_state(kNotLoaded);
    if (counted)
        release();
}

void Texture::set_flags(std::uint32_t flags) {
    flags_ = flags;
    set_null((flags & kTextureNull) != 0);
}

void Texture::link() {
    TextureList& list = texture_list();
    prev_ = list.last;
    next_ = nullptr;
    if (list.last != nullptr)
        list.last->next_ = this;
    else
        list.first = this;
    list.last = this;
}

void Texture::unlink() {
    TextureList& list = texture_list();
    (prev_ != nullptr ? prev_->next_ : list.first) = next_;
    (next_ != nullptr ? next_->prev_ : list.last) = prev_;
    prev_ = next_ = nullptr;
}

Texture* first_texture() {
    return texture_list().first;
}

void forget_textures() {
    for (Texture* t = first_texture(); t != nullptr;) {
        Texture* next = t->next();
        t->forget();  // may end t
        t = next;
    }
}

void load_pending_textures() {
    for (Texture* t = first_texture(); t != nullptr; t = t->next()) {
        if (t->load_state() == EngineObject::kNotLoaded)
            t->load_object();
    }
}

}  // namespace tarn
