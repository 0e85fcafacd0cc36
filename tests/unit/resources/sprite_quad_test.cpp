#include "resources/sprite_quad.hpp"
#include "unit/resources/sprite_fixture.hpp"

namespace tarn::test {
namespace {

class SpriteQuadTest : public SpriteTest {
protected:
    // The vertices of the one quad emitted for sprite.
    std::array<BatchVertex, 4> emit(const Sprite& sprite, const Affine2& t, int frame = 0,
                                    PackedColor color = {1, 2, 3, 4}) {
        renderer_.begin_frame();
        emit_sprite_quad(renderer_, t, sprite, frame, color);
        std::array<BatchVertex, 4> v{};
        EXPECT_EQ(renderer_.batch().vertex_count(), 4);
        if (renderer_.batch().vertex_count() == 4)
            std::copy_n(renderer_.batch().vertices(), 4, v.begin());
        renderer_.end_frame();
        return v;
    }
};

void expect_vertex(const BatchVertex& v, float x, float y, float u, float tv) {
    EXPECT_FLOAT_EQ(v.x, x);
    EXPECT_FLOAT_EQ(v.y, y);
    EXPECT_FLOAT_EQ(v.u, u);
    EXPECT_FLOAT_EQ(v.v, tv);
}

TEST_F(SpriteQuadTest, CornersGoTopRightTopLeftBottomRightBottomLeftAroundThePivot) {
    Sprite* s = load_sprite("s", "{ texture = \"sheet\", rect = [16, 0, 32, 16], pivot = [8, 4] }");
    ASSERT_NE(s, nullptr);
    const auto v = emit(*s, Affine2::translation(10, 20));
    expect_vertex(v[0], 34, 16, 0.75f, 0);
    expect_vertex(v[1], 2, 16, 0.25f, 0);
    expect_vertex(v[2], 34, 32, 0.75f, 0.5f);
    expect_vertex(v[3], 2, 32, 0.25f, 0.5f);
    for (const BatchVertex& vertex : v)
        EXPECT_EQ(vertex.color, (PackedColor{1, 2, 3, 4}));
}

TEST_F(SpriteQuadTest, TheTransformAppliesToEveryCorner) {
    Sprite* s = load_sprite("s", "{ texture = \"sheet\", rect = [0, 0, 4, 2] }");
    ASSERT_NE(s, nullptr);
    const Affine2 t = {{0, 2, -1, 0, 5, 5}};  // quarter turn, x doubled
    const auto v = emit(*s, t);
    expect_vertex(v[0], 5, 13, 4.0f / 64, 0);
    expect_vertex(v[3], 3, 5, 0, 2.0f / 32);
}

TEST_F(SpriteQuadTest, FlippedSpritesSwapTextureCoordinates) {
    Sprite* s = load_sprite("s", "{ texture = \"sheet\", rect = [0, 0, 32, 16], flip = \"1\" }");
    ASSERT_NE(s, nullptr);
    const auto v = emit(*s, Affine2{});
    expect_vertex(v[0], 32, 0, 0, 0);
    expect_vertex(v[1], 0, 0, 0.5f, 0);
}

TEST_F(SpriteQuadTest, AnimatedSpritesDrawTheirFrameAndHiddenOnesNothing) {
    ASSERT_TRUE(vm_.run(
        "::g_sprite_defs.a <- { texture = \"sheet\", rect = [0, 0, 8, 8] };"
        "::g_sprite_defs.b <- { texture = \"sheet\", rect = [8, 0, 16, 8], pivot = [4, 0] };"));
    Sprite* anim = load_sprite("anim", "{ frames = [\"a\", \"b\"] }");
    Sprite* hidden = load_sprite("h", "{ texture = \"nothing\" }");
    ASSERT_TRUE(anim && hidden);
    const auto v = emit(*anim, Affine2{}, 1);
    expect_vertex(v[1], -4, 0, 0.125f, 0);
    renderer_.begin_frame();
    emit_sprite_quad(renderer_, Affine2{}, *hidden, 0, PackedColor{});
    emit_sprite_quad(renderer_, Affine2{}, *anim, 2, PackedColor{});
    EXPECT_EQ(renderer_.batch().vertex_count(), 0);
    renderer_.end_frame();
}

TEST_F(SpriteQuadTest, ADrawnSpriteShowsItsTextureOnScreen) {
    Sprite* s = load_sprite("s", "{ texture = \"red\", rect = [0, 0, 1, 1] }");
    ASSERT_NE(s, nullptr);
    clear_frame({0, 0, 1});
    renderer_.begin_frame();
    emit_sprite_quad(renderer_, Affine2::translation(10, 10) * Affine2::scale(20, 20), *s, 0,
                     PackedColor{});
    renderer_.end_frame();
    EXPECT_TRUE(color_near(pixel(20, 20), {255, 0, 0}));
    EXPECT_TRUE(color_near(pixel(5, 20), {0, 0, 255}));
    EXPECT_TRUE(color_near(pixel(31, 31), {0, 0, 255}));
}

}  // namespace
}  // namespace tarn::test
