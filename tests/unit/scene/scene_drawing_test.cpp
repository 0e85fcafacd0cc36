#include <gmock/gmock.h>

#include <filesystem>

#include "render/view2d.hpp"
#include "scene/scene.hpp"
#include "scene/scene_object.hpp"
#include "support/temp_dir.hpp"
#include "unit/resources/image_test_files.hpp"
#include "unit/resources/sprite_fixture.hpp"
#include "unit/resources/test_font.hpp"

// Scenes drawn into the test window through a view that maps the 64 x 64 canvas onto it.
namespace tarn::test {
namespace {

using Rgb = std::array<int, 3>;

constexpr Rgb kBlue = {0, 0, 255};
constexpr Rgb kBlack = {0, 0, 0};
constexpr Rgb kRed = {255, 0, 0};
constexpr Rgb kGreen = {0, 255, 0};
constexpr Rgb kWhite = {255, 255, 255};

struct Probe {
    int x, y;
    Rgb expected;
};

class SceneDrawing : public SpriteTest {
protected:
    void SetUp() override {
        SpriteTest::SetUp();
        view_->set_viewport_size({64, 64});
        view_->set_canvas_size({64, 64});
        scene_->set_view(view_.get());
        // "rg": red and green texels side by side, both shown by the unit sprite "rg".
        ASSERT_TRUE(vm_.run("::g_texture_defs.rg <- { _special_ = \"_white_\" };"));
        ObjectRef<Texture> rg(get_or_load<Texture>(vm_.vm(), "rg", false));
        ASSERT_TRUE(rg);
        const std::array<unsigned char, 6> texels = {255, 0, 0, 0, 255, 0};
        rg->upload_pixels({2, 1, PixelFormat::RGB8, texels.data()},
                          {.clamp = true, .nearest = true});
        textures_.push_back(rg);
        red_sprite_ = load_sprite("red", "{ texture = \"red\", rect = [0, 0, 1, 1] }");
        ASSERT_NE(red_sprite_, nullptr);
    }
    void TearDown() override {
        objects_.clear();
        scene_.reset();
        SpriteTest::TearDown();
    }

    // A new object of the scene showing sprite (a unit square unless given) scaled to size.
    SceneObject* add(Sprite* sprite, float x, float y, float size, int layer = 0) {
        ObjectRef<SceneObject> o(new SceneObject);
        o->set_layer(layer);
        o->set_position(x, y);
        o->set_sprite(sprite);
        o->set_local_scale({size, size});
        o->set_scene(scene_.get());
        objects_.push_back(o);
        return o.get();
    }
    void draw(std::array<float, 3> background = {0, 0, 1}) {
        clear_frame(background);
        renderer_.begin_frame();
        scene_->render_2d(renderer_, GlWindow::kSize, GlWindow::kSize);
        renderer_.end_frame();
    }
    void expect_pixels(const std::vector<Probe>& probes) {
        for (const Probe& p : probes)
            EXPECT_TRUE(color_near(pixel(p.x, p.y), p.expected)) << p.x << ", " << p.y;
    }
    void reset_scene() {
        objects_.clear();
        scene_.reset(new Scene);
        scene_->set_view(view_.get());
    }

    ObjectRef<View2d> view_{new View2d};
    ObjectRef<Scene> scene_{new Scene};
    std::vector<ObjectRef<SceneObject>> objects_;
    Sprite* red_sprite_ = nullptr;
};

TEST_F(SceneDrawing, HigherLayersAndLaterObjectsDrawOnTop) {
    Sprite* green = load_sprite("green", "{ texture = \"rg\", rect = [0.5, 0, 0.5, 1] }");
    ASSERT_NE(green, nullptr);
    struct Case {
        int red_layer, green_layer;  // red joins first
        Rgb overlap;
    };
    const Case cases[] = {
        {0, 0, kGreen}, {1, 0, kRed}, {-1, -1, kGreen}, {0, -16, kRed}, {16, 15, kRed}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.red_layer << " " << c.green_layer);
        reset_scene();
        add(red_sprite_, 10, 10, 20, c.red_layer);
        SceneObject* g = add(nullptr, 20, 20, 1, c.green_layer);
        g->set_sprite(green);
        g->set_local_scale({40, 20});
        draw();
        expect_pixels({{25, 25, c.overlap}, {12, 12, kRed}, {35, 35, kGreen}, {5, 5, kBlue}});
    }
}

TEST_F(SceneDrawing, ColoursArePremultipliedAndOcclusionScalesOnlyAlpha) {
    Sprite* tinted = load_sprite("tinted", "{ texture = \"red\", color = [0.5, 1, 1, 0.5] }");
    ASSERT_NE(tinted, nullptr);
    struct Case {
        Vec4 color;
        float occlusion;
        bool tinted;   // the sprite's own colour halves red and alpha
        Rgb expected;  // over blue
    };
    const Case cases[] = {
        {{1, 1, 1, 1}, 1, false, kRed},
        {{1, 1, 1, 0.5f}, 1, false, {128, 0, 128}},
        {{1, 1, 1, 0.5f}, 0, false, {128, 0, 255}},  // additive
        {{0.5f, 1, 1, 1}, 1, false, {128, 0, 0}},
        {{1, 1, 1, 0}, 0, false, kBlue},  // nothing, even additively
        {{1, 1, 1, 1}, 1, true, {128, 0, 128}},
        {{1, 1, 1, 1}, 0.5f, true, {128, 0, 191}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.color[0] << " " << c.color[3] << " o " << c.occlusion
                                        << (c.tinted ? " tinted" : ""));
        reset_scene();
        SceneObject* o = add(c.tinted ? tinted : red_sprite_, 0, 0, 64);
        o->set_color(c.color);
        o->set_occlusion(c.occlusion);
        draw();
        expect_pixels({{32, 32, c.expected}});
    }
}

TEST_F(SceneDrawing, HiddenDisabledAndEmptyObjectsDrawNothing) {
    Sprite* hidden = load_sprite("hidden", "{ texture = \"nothing\" }");
    ASSERT_NE(hidden, nullptr);
    using Change = void (*)(SceneObject&, Sprite * hidden);
    const std::pair<Change, Rgb> cases[] = {
        {[](SceneObject&, Sprite*) {}, kRed},
        {[](SceneObject& o, Sprite*) { o.set_enabled(false); }, kBlue},
        {[](SceneObject& o, Sprite* h) { o.set_sprite(h); }, kBlue},
        {[](SceneObject& o, Sprite*) { o.set_sprite(nullptr); }, kBlue},
        {[](SceneObject& o, Sprite*) { o.set_scene(nullptr); }, kBlue},
    };
    for (const auto& [change, expected] : cases) {
        reset_scene();
        change(*add(red_sprite_, 0, 0, 64), hidden);
        draw();
        expect_pixels({{32, 32, expected}});
    }
}

TEST_F(SceneDrawing, RepeatingVisualsTileTheCanvasOnTheirGrid) {
    Sprite* rg = load_sprite("rg", "{ texture = \"rg\", rect = [0, 0, 1, 1] }");
    Sprite* centred =
        load_sprite("rgc", "{ texture = \"rg\", rect = [0, 0, 1, 1], pivot = [0.5, 0.5] }");
    ASSERT_TRUE(rg && centred);
    struct Case {
        const char* what;
        Sprite* sprite;
        bool x, y;
        std::vector<Probe> probes;
    };
    // An 8 x 4 tile, red on its left half, with its top-left corner at (3, 10).
    const std::vector<Case> cases = {
        {"across",
         rg,
         true,
         false,
         {{1, 12, kGreen},
          {4, 12, kRed},
          {8, 12, kGreen},
          {60, 12, kRed},
          {4, 15, kBlue},
          {4, 9, kBlue}}},
        {"down", rg, false, true, {{4, 1, kRed}, {4, 60, kRed}, {8, 30, kGreen}, {12, 30, kBlue}}},
        {"both", rg, true, true, {{4, 3, kRed}, {60, 60, kRed}, {56, 1, kGreen}}},
        {"across, pivot in the middle",
         centred,
         true,
         false,
         {{4, 12, kRed}, {8, 13, kGreen}, {60, 12, kRed}, {4, 15, kBlue}, {4, 9, kBlue}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        reset_scene();
        const float pivot = c.sprite == centred ? 0.5f : 0.0f;
        SceneObject* o = add(c.sprite, 3 + 8 * pivot, 10 + 4 * pivot, 1);
        o->set_local_scale({8, 4});
        o->set_repeating(c.x, c.y);
        LogCapture log;
        draw();
        draw();
        expect_pixels(c.probes);
        EXPECT_THAT(log.lines(), testing::ElementsAre("8 4"));
    }
}

TEST_F(SceneDrawing, LinesAreOneUnitWideFromTheOriginToTheirEnd) {
    ObjectRef<Texture> white(get_or_load<Texture>(vm_.vm(), "white", false));
    ASSERT_TRUE(white);
    ObjectRef<SceneObject> parent(new SceneObject);
    parent->set_position(5, 0);
    SceneObject* across = add(nullptr, 5, 20.5f, 1);
    across->bind(parent.get());  // the start is the world origin, the end is not moved
    across->set_line(white.get(), {50, 20.5f});
    SceneObject* down = add(nullptr, 40.5f, 30, 1);
    down->set_line(white.get(), {40.5f, 60});
    down->set_color({0, 1, 0, 1});
    SceneObject* point = add(nullptr, 3, 3, 1);
    point->set_line(white.get(), {3, 3});
    draw({0, 0, 0});
    expect_pixels({{30, 20, kWhite},
                   {30, 19, kBlack},
                   {30, 21, kBlack},
                   {9, 20, kBlack},
                   {10, 20, kWhite},
                   {49, 20, kWhite},
                   {50, 20, kBlack},
                   {40, 45, kGreen},
                   {39, 45, kBlack},
                   {41, 45, kBlack},
                   {3, 3, kBlack}});
}

TEST_F(SceneDrawing, EmittersPlayAtTheWorldOriginAndMayDestroyThemselvesWhenDone) {
    ASSERT_NE(
        load_sprite("spark", "{ texture = \"red\", rect = [0, 0, 8, 8], pivot = \"center\" }"),
        nullptr);
    ASSERT_TRUE(
        vm_.run("::g_emitter_defs.sparks <- { sprite = \"spark\", spawn_rate = 3,"
                " spawn_duration = 0, duration = 0.5 };"));
    ObjectRef<Emitter2dResource> sparks(get_or_create<Emitter2dResource>(vm_.vm(), "sparks"));
    ObjectRef<SceneObject> owner(new SceneObject);
    owner->set_position(10, 0);
    WeakObjectRef<SceneObject> emitter;
    {
        ObjectRef<SceneObject> o(new SceneObject);
        o->bind(owner.get());
        o->set_position(20, 20);
        o->set_scene(scene_.get());
        o->set_emitter(sparks.get());
        o->set_auto_destroy(true);
        o->set_owner(owner.get());  // which then holds the only reference
        emitter.reset(o.get());
    }
    ASSERT_EQ(emitter->visual_kind(), SceneObject::kEmitterVisual);
    scene_->update(0.1f, nullptr);
    EXPECT_EQ(emitter->emitter_state().particle_count(), 3);
    draw();
    expect_pixels({{30, 20, kRed}, {30, 30, kBlue}});
    scene_->update(1, nullptr);  // the particles die, the emitter is done
    EXPECT_EQ(emitter.get(), nullptr);
    EXPECT_EQ(scene_->count(0), 0);
}

// Scenes whose resources are files in a game folder's "data".
class SceneFiles : public SceneDrawing {
protected:
    void SetUp() override {
        previous_dir_ = std::filesystem::current_path();
        std::filesystem::current_path(dir_.path());
        write_file(dir_ / "data/small.fnt", layout_font_text());
        SceneDrawing::SetUp();
        ASSERT_TRUE(
            vm_.run("::g_texture_defs[\"small.png\"] <- { _special_ = \"_white_\" };"
                    "::g_font_defs.small <- { file = \"small.fnt\" };"));
        font_.reset(get_or_load<Font>(vm_.vm(), "small", false));
        ASSERT_TRUE(font_);
    }
    void TearDown() override {
        font_.reset();
        SceneDrawing::TearDown();
        std::filesystem::current_path(previous_dir_);
    }

    TempDir dir_;
    std::filesystem::path previous_dir_;
    ObjectRef<Font> font_;
};

// Glyph "a" is 8 x 12 at (1, 3) from the pen, on a white page; the red unit sprite is scaled
// with the text.
TEST_F(SceneFiles, TextsDrawBesideTheirSpriteAndInsteadOfAReplacedOne) {
    struct Case {
        const char* what;
        bool sprite_first;  // else the text comes first
        bool sprite_shows;
    };
    const Case cases[] = {{"sprite replaced by text", true, false},
                          {"text, then a sprite", false, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        reset_scene();
        SceneObject* o = add(nullptr, 20, 10, 1);
        o->set_font(font_.get());
        if (c.sprite_first)
            o->set_sprite(red_sprite_);
        o->set_text("a");
        if (!c.sprite_first)
            o->set_sprite(red_sprite_);
        o->set_local_scale({2, 1});  // also widens the text
        draw();
        expect_pixels({{30, 20, kWhite},
                       {37, 20, kWhite},
                       {30, 27, kBlue},
                       {39, 20, kBlue},
                       {20, 10, c.sprite_shows ? kRed : kBlue}});
        EXPECT_EQ(o->visual_kind(),
                  c.sprite_shows ? SceneObject::kSpriteVisual : SceneObject::kTextVisual);
    }
}

// "strip.png" is 4 x 2 pixels, red on the left half and green on the right, cut into two frames.
TEST_F(SceneFiles, TexturesShowTheirFrameOrTheWholePicture) {
    PngPicture strip;
    strip.width = 4;
    strip.height = 2;
    for (int i = 0; i < 8; ++i) {
        const bool red = i % 4 < 2;
        strip.rows.insert(strip.rows.end(),
                          {std::uint8_t(red ? 255 : 0), std::uint8_t(red ? 0 : 255), 0});
    }
    write_file(dir_ / "data/strip.png", encode_png(strip));
    ASSERT_TRUE(
        vm_.run("::g_texture_defs[\"strip.png\"] <- { mipmaps = false, filtering = \"nearest\","
                " grid_size = [2, 1] };"));
    ObjectRef<Texture> texture(get_or_load<Texture>(vm_.vm(), "strip.png", false));
    ASSERT_TRUE(texture);
    struct Case {
        int frame;
        Vec2 size;
        std::vector<Probe> probes;  // the object is at (10, 10), scaled 8 times
    };
    const std::vector<Case> cases = {
        {0, {2, 2}, {{12, 12, kRed}, {25, 25, kRed}, {27, 12, kBlue}}},
        {1, {2, 2}, {{12, 12, kGreen}, {25, 25, kGreen}, {27, 12, kBlue}}},
        {2, {4, 2}, {{12, 12, kRed}, {40, 12, kGreen}, {12, 27, kBlue}}},
        {-1, {4, 2}, {{12, 12, kRed}, {40, 12, kGreen}, {12, 27, kBlue}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.frame);
        reset_scene();
        SceneObject* o = add(nullptr, 10, 10, 8);
        o->set_frame(c.frame);
        o->set_texture(texture.get());
        EXPECT_EQ(o->visual_kind(), SceneObject::kTextureVisual);
        EXPECT_EQ(o->size(), c.size);
        draw();
        expect_pixels(c.probes);
    }
    SceneObject* o = add(nullptr, 10, 10, 8);
    o->set_texture(texture.get());
    o->set_frame(1);  // chooses again
    EXPECT_EQ(o->texture_sprite()->rect()[0], 2);
    o->set_texture(nullptr);
    EXPECT_EQ(o->visual_kind(), SceneObject::kNoVisual);
}

}  // namespace
}  // namespace tarn::test
