#include <gmock/gmock.h>

#include "resources/sprite_script.hpp"
#include "unit/resources/sprite_fixture.hpp"

namespace tarn::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST_F(SpriteTest, StaticDefaultsCoverTheWholePictureWithUvFromTheRect) {
    Sprite* s = load_sprite("all", "{ texture = \"sheet\", color = [1, 0.5, 0, 0.25] }");
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->kind(), Sprite::kStatic);
    EXPECT_EQ(s->rect(), (std::array<float, 4>{0, 0, 64, 32}));
    EXPECT_EQ(s->size(), (std::array<float, 2>{64, 32}));
    EXPECT_EQ(s->uv()[kBottomRight], (std::array<float, 2>{1, 1}));
    EXPECT_EQ(s->packed_color(), (PackedColor{255, 127, 0, 63}));

    Sprite* part = load_sprite("part", "{ texture = \"sheet\", rect = [16, 8, 32] }");
    ASSERT_NE(part, nullptr);
    EXPECT_EQ(part->rect(), (std::array<float, 4>{16, 8, 32, 32}));
    EXPECT_EQ(part->uv()[kTopLeft], (std::array<float, 2>{0.25f, 0.25f}));
    EXPECT_EQ(part->uv()[kTopRight], (std::array<float, 2>{0.75f, 0.25f}));
    EXPECT_EQ(part->uv()[kBottomLeft], (std::array<float, 2>{0.25f, 1.25f}));
}

TEST_F(SpriteTest, PivotsAndBorders) {
    Sprite* center =
        load_sprite("c", "{ texture = \"sheet\", rect = [0, 0, 33, 20], pivot = \"center\" }");
    Sprite* bottom =
        load_sprite("b", "{ texture = \"sheet\", rect = [0, 0, 33, 20], pivot = \"bottom\" }");
    Sprite* given = load_sprite("g", "{ texture = \"sheet\", pivot = [3, 4] }");
    Sprite* wide = load_sprite(
        "w", "{ texture = \"sheet\", rect = [0, 0, 40, 10], border = [30, 30, -2, 0] }");
    ASSERT_TRUE(center && bottom && given && wide);
    EXPECT_EQ(center->pivot(), (std::array<float, 2>{16, 10}));
    EXPECT_EQ(bottom->pivot(), (std::array<float, 2>{16, 20}));
    EXPECT_EQ(given->pivot(), (std::array<float, 2>{3, 4}));
    EXPECT_EQ(wide->border(), (std::array<float, 4>{20, 20, 0, 0}));
    EXPECT_TRUE(wide->has_border());
    EXPECT_FALSE(given->has_border());
}

TEST_F(SpriteTest, FlipsMirrorRectsAndOptionallyThePivot) {
    Sprite* h = load_sprite("h",
                            "{ texture = \"sheet\", rect = [0, 0, 16, 8], pivot = [4, 2], flip = "
                            "\"1\", border = [1, 2, 3, 4] }");
    Sprite* hp = load_sprite(
        "hp", "{ texture = \"sheet\", rect = [0, 0, 16, 8], pivot = [4, 2], flip = \"1001\" }");
    Sprite* v = load_sprite(
        "v", "{ texture = \"sheet\", rect = [0, 0, 16, 8], pivot = [4, 2], flip = \"0101\" }");
    Sprite* d = load_sprite("d",
                            "{ texture = \"sheet\", rect = [0, 0, 16, 8], pivot = [4, 2], flip = "
                            "\"0011\", border = [1, 2, 3, 4] }");
    ASSERT_TRUE(h && hp && v && d);
    EXPECT_EQ(h->rect(), (std::array<float, 4>{16, 0, -16, 8}));
    EXPECT_EQ(h->pivot(), (std::array<float, 2>{4, 2}));
    EXPECT_EQ(h->border(), (std::array<float, 4>{2, 1, 3, 4}));
    EXPECT_EQ(h->uv()[kTopLeft], (std::array<float, 2>{0.25f, 0}));
    EXPECT_EQ(hp->pivot(), (std::array<float, 2>{12, 2}));
    EXPECT_EQ(v->pivot(), (std::array<float, 2>{4, 6}));
    EXPECT_EQ(v->uv()[kTopLeft], (std::array<float, 2>{0, 0.25f}));
    // Diagonal: size swapped, pivot (height - y, x), corners rotated, borders rotated.
    EXPECT_EQ(d->size(), (std::array<float, 2>{8, 16}));
    EXPECT_EQ(d->pivot(), (std::array<float, 2>{6, 4}));
    EXPECT_EQ(d->uv()[kTopLeft], (std::array<float, 2>{0, 0.25f}));
    EXPECT_EQ(d->uv()[kTopRight], (std::array<float, 2>{0, 0}));
    EXPECT_EQ(d->uv()[kBottomRight], (std::array<float, 2>{0.25f, 0}));
    EXPECT_EQ(d->border(), (std::array<float, 4>{4, 3, 1, 2}));
}

TEST_F(SpriteTest, AnimatedFramesTakeDurationsAndBoundTheirSubsprites) {
    ASSERT_TRUE(vm_.run(
        "foreach (n, p in {a = [0, 0], b = [8, 4], c = [2, 2], d = [0, 0]})"
        "  ::g_sprite_defs[n] <- { texture = \"sheet\", rect = [0, 0, 10, 6], pivot = p };"));
    Sprite* uniform =
        load_sprite("u", "{ frames = [\"a\", \"b\", \"c\", \"d\"], duration = 1, loop = true }");
    Sprite* timed = load_sprite("t", "{ frames = [[\"a\", 0.1], [\"b\", 0.4, 0.2]] }");
    ASSERT_TRUE(uniform && timed);
    EXPECT_EQ(uniform->kind(), Sprite::kAnimated);
    ASSERT_EQ(uniform->frame_count(), 4);
    EXPECT_FLOAT_EQ(uniform->frames()[2].duration, 0.25f);
    EXPECT_TRUE(uniform->loop());
    EXPECT_FLOAT_EQ(timed->duration(), 0.3f);
    EXPECT_FLOAT_EQ(timed->random_duration(), 0.2f);
    EXPECT_FLOAT_EQ(timed->frames()[1].duration, 0.2f);
    // Boxes: a [0,10]x[0,6], b [-8,2]x[-4,2], c [-2,8]x[-2,4].
    EXPECT_EQ(timed->pivot(), (std::array<float, 2>{8, 4}));
    EXPECT_EQ(timed->size(), (std::array<float, 2>{18, 10}));
}

TEST_F(SpriteTest, CollisionShapesAreRelativeToThePivot) {
    Sprite* s = load_sprite("s",
                            "{ texture = \"sheet\", rect = [0, 0, 20, 10], pivot = [5, 5],"
                            "  ccircle = [10, 5, 3], crect = [0, 0, 4, 2] }");
    Sprite* whole = load_sprite(
        "whole", "{ texture = \"sheet\", rect = [0, 0, 20, 10], pivot = \"center\", crect = -1 }");
    ASSERT_TRUE(s && whole);
    ASSERT_EQ(s->shapes().size(), 2u);
    const CollisionShape& circle = s->shapes()[0];
    EXPECT_EQ(circle.kind, CollisionShape::kCircle);
    EXPECT_EQ(circle.center_x, 5);
    EXPECT_EQ(circle.center_y, 0);
    const CollisionShape& rect = s->shapes()[1];
    EXPECT_EQ(rect.center_x, -3);
    EXPECT_EQ(rect.center_y, -4);
    EXPECT_EQ(rect.corner_x, -2);
    ASSERT_EQ(whole->shapes().size(), 1u);
    EXPECT_EQ(whole->shapes()[0].corner_x, -10);
    EXPECT_EQ(whole->shapes()[0].center_x, 0);
    // Only the centre moves with the transform; right and bottom edges are open.
    const Affine2 at = Affine2::translation(100, 50);
    EXPECT_TRUE(circle.contains(at, 108, 50));
    EXPECT_FALSE(circle.contains(at, 108.5f, 50));
    EXPECT_TRUE(rect.contains(at, 95, 46));
    EXPECT_FALSE(rect.contains(at, 99, 46));
}

struct BadDef {
    const char* def;
    std::vector<std::string> log;
};

TEST_F(SpriteTest, EveryFailureLogsItsReasonThenTheSummary) {
    ASSERT_TRUE(vm_.run("::g_sprite_defs.ok <- { texture = \"sheet\" };"));
    const BadDef cases[] = {
        {"{ texture = \"nope\" }",
         {"Texture: Can't load 'nope', def not found.", "Sprite texture 'nope' failed to load."}},
        {"{ rect = [0, 0, 1, 1] }", {"No texture specified for static sprite 'bad'."}},
        {"{ frames = [] }", {"Empty frames not supported for animated sprite 'bad'."}},
        {"{ frames = [\"ok\", \"missing\"] }",
         {"No texture specified for static sprite 'missing'.", "Unable to load sprite 'missing'.",
          "Error: Sprite 'missing' failed to load.",
          "Can't load subsprite 'missing' of animated sprite 'bad'."}},
        {"{ frames = [\"bad\"] }", {"Can't load subsprite 'bad' of animated sprite 'bad'."}},
        {"{ frames = [[\"ok\", 1], [\"ok\"]] }", {"Invalid subsprite of animated sprite 'bad'."}},
        {"{ frames = [[0, 1]] }", {"Texture required for animated sprite 'bad'."}},
        {"{ frames = [0] }", {"Texture required for animated sprite 'bad'."}},
        {"{ texture = \"sheet\", frames = [[3, 1]] }",
         {"Invalid subsprite index of animated sprite 'bad'."}},
        {"{ texture = \"sheet\", frames = [0, 7] }",
         {"Invalid subsprite index 0 of animated sprite 'bad'."}},
        {"{ texture = \"sheet\", ccircle = [1, 2] }", {"Specify x,y,radius for circle collision."}},
        {"{ texture = \"sheet\", ccircle = [1, 2, 0] }",
         {"Zero or negative radius of collision circle!"}},
        {"{ texture = \"sheet\", crect = [1, 2, 3] }",
         {"Specify x,y,width,height for rect collsion."}},
    };
    for (const BadDef& c : cases) {
        LogCapture log;
        EXPECT_EQ(load_sprite("bad", c.def), nullptr) << c.def;
        std::vector<std::string> expected = c.log;
        expected.push_back("Unable to load sprite 'bad'.");
        expected.push_back("Error: Sprite 'bad' failed to load.");
        EXPECT_EQ(log.lines(), expected) << c.def;
    }
}

TEST_F(SpriteTest, WarningsDoNotFailTheLoad) {
    ASSERT_TRUE(vm_.run("::g_sprite_defs.ok <- { texture = \"sheet\" };"));
    LogCapture log;
    Sprite* flip = load_sprite("f", "{ texture = \"sheet\", flip = \"10000\" }");
    Sprite* pivot = load_sprite("p", "{ texture = \"sheet\", pivot = \"left\" }");
    Sprite* anim =
        load_sprite("a", "{ frames = [\"ok\"], flip = \"1\", pivot = [1, 1], crect = -1 }");
    ASSERT_TRUE(flip && pivot && anim);
    EXPECT_EQ(flip->rect()[2], -64);
    EXPECT_EQ(pivot->pivot(), (std::array<float, 2>{0, 0}));
    EXPECT_THAT(anim->shapes(), IsEmpty());
    EXPECT_THAT(log.lines(),
                ElementsAre("Invalid format of flip for sprite 'f'.",
                            "Don't know how to handle 'left' pivot for static sprite 'p'.",
                            "The flip is ignored for animated sprite 'a'.",
                            "The pivot is ignored for animated sprite 'a'.",
                            "crect ignored for for animated sprite 'a'!"));
}

TEST_F(SpriteTest, NullTextureSpritesAreHidden) {
    Sprite* s = load_sprite("n", "{ texture = \"nothing\" }");
    ASSERT_NE(s, nullptr);
    EXPECT_TRUE(s->hidden());
}

TEST_F(SpriteTest, ArgumentReadersTakeSpritesNamesAndNull) {
    ASSERT_TRUE(
        vm_.run("::g_sprite_defs.ok <- { texture = \"sheet\" };"
                "::g_sprite_defs._invalid_ <- { texture = \"white\" };"
                "::g_sprite_defs.broken <- { };"));
    auto read = [&](const char* value, bool load, std::string& error) {
        ObjectRef<Sprite> out;
        sq_pushroottable(vm_.vm());
        ScriptObject v = vm_.eval(std::string("return ") + value + ";");
        v.push(vm_.vm());
        ArgumentReader args(vm_.vm(), sq_gettop(vm_.vm()));
        const bool ok = load ? read_sprite_name_or_null(args, out) : read_sprite_or_name(args, out);
        if (!ok) {
            sq_getlasterror(vm_.vm());
            const SQChar* text = nullptr;
            sq_getstring(vm_.vm(), -1, &text);
            error = text;
        }
        sq_settop(vm_.vm(), 0);
        return out;
    };
    std::string error;
    EXPECT_EQ(read("null", true, error).get(), nullptr);
    EXPECT_EQ(read("Texture()", false, error).get(), nullptr);
    ObjectRef<Sprite> ok = read("\"ok\"", true, error);
    ASSERT_TRUE(ok);
    EXPECT_EQ(ok->load_state(), EngineObject::kLoaded);
    EXPECT_EQ(read("\"later\"", false, error)->load_state(), EngineObject::kNotLoaded);
    // A sprite that cannot load stands aside for "_invalid_".
    EXPECT_EQ(read("Sprite.create({})", true, error)->get_def_name(), SharedString("_invalid_"));
    EXPECT_EQ(read("\"unknown\"", true, error)->get_def_name(), SharedString("unknown"));
    read("3", true, error);
    EXPECT_EQ(error, "Expecting sprite name or null.");
    read("3", false, error);
    EXPECT_EQ(error, "Expecting sprite, sprite name or null.");
}

}  // namespace
}  // namespace tarn::test
