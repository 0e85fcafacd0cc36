#include "resources/font.hpp"

#include "core/log.hpp"
#include "core/message.hpp"
#include "core/std_file.hpp"
#include "resources/def_table.hpp"
#include "resources/font_list.hpp"
#include "resources/resource_loading.hpp"

namespace tarn {

ClassDescriptor Font::class_descriptor("Font", &EngineObject::class_descriptor, "font_def_to_obj",
                                       "g_font_defs", nullptr,
                                       []() -> EngineObject* { return new Font; });

namespace {

// The page texture's def name: the file name with "png" for its last three characters.
SharedString page_texture_name(const SharedString& file) {
    if (file.length() <= 3)
        return file;
    SharedString name(file.data(), file.length() - 3);
    name.append("png");
    return name;
}

// The font's page texture, loaded; null (the texture's load has logged why) when it fails.
ObjectRef<Texture> load_page(HSQUIRRELVM vm, const SharedString& file) {
    ObjectRef<Texture> page(get_or_create<Texture>(vm, page_texture_name(file).data()));
    if (page->load_state() != EngineObject::kLoaded && !page->load_object())
        page.reset();
    return page;
}

bool read_font_file(const SharedString& file, GlyphTable& glyphs) {
    Bytes bytes;
    if (!read_data_file(file, bytes))
        return false;
    if (bytes.empty()) {
        log_message("Empty font file.");
        return false;
    }
    return read_bmfont_text(
        std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), glyphs);
}

}  // namespace

// Keeps the registry's font list: fonts join at the tail and leave from anywhere.
struct FontListLinks {
    static void append(Font& font) {
        FontList& list = font_list();
        font.prev_ = list.last;
        (list.last != nullptr ? list.last->next_ : list.first) = &font;
        list.last = &font;
    }
    static void remove(Font& font) {
        FontList& list = font_list();
        (font.prev_ != nullptr ? font.prev_->next_ : list.first) = font.next_;
        (font.next_ != nullptr ? font.next_->prev_ : list.last) = font.prev_;
        font.prev_ = font.next_ = nullptr;
    }
};

Font::Font() {
    FontListLinks::append(*this);
}

Font::~Font() {
    FontListLinks::remove(*this);
}

bool Font::load() {
    texture_.reset();
    glyphs_ = GlyphTable();
    const SharedString name = get_def_name();
    SharedString file = DefTable(get_def()).string("file");
    if (file.empty())
        file = name;
    // A font with no def at all names no file (and no script VM to find its texture in).
    HSQUIRRELVM vm = def().vm();
    ObjectRef<Texture> page = vm != nullptr ? load_page(vm, file) : ObjectRef<Texture>();
    if (page && read_font_file(file, glyphs_)) {
        texture_ = std::move(page);
        set_load_state(kLoaded);
        return true;
    }
    set_load_state(kFailed);
    log_message(message("Unable to load font '%1'.", name));
    return false;
}

Font* first_font() {
    return font_list().first;
}

}  // namespace tarn
