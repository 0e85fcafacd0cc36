#include "ui/nine_cell.hpp"

#include <gtest/gtest.h>

#include "ui/ui_sprite_placement.hpp"

namespace tarn {
namespace {

void expect_near(const std::array<float, 4>& actual, const std::array<float, 4>& expected) {
    for (int i = 0; i < 4; ++i)
        EXPECT_NEAR(actual[i], expected[i], 1e-6f) << "stop " << i;
}

TEST(NineCell, BordersKeepTheirSizeUntilTheFrameIsNarrowerThanBoth) {
    struct Case {
        const char* what;
        Vec2 frame;
        std::array<float, 4> border;  // left, right, top, bottom
        Vec2 picture;
        std::array<float, 4> x, y, u, v;
    };
    const Case cases[] = {
        {"15 wide, 10 each side",
         {15, 40},
         {10, 10, 10, 10},
         {32, 32},
         {0, 7.5f, 7.5f, 15},
         {0, 10, 30, 40},
         {0, 10 / 32.0f, 22 / 32.0f, 1},
         {0, 10 / 32.0f, 22 / 32.0f, 1}},
        {"uneven borders, exact fit down",
         {100, 8},
         {4, 6, 2, 6},
         {20, 16},
         {0, 4, 94, 100},
         {0, 2, 2, 8},
         {0, 0.2f, 0.7f, 1},
         {0, 0.125f, 0.625f, 1}},
        {"no side borders",
         {30, 5},
         {0, 0, 5, 5},
         {10, 20},
         {0, 0, 30, 30},
         {0, 2.5f, 2.5f, 5},
         {0, 0, 1, 1},
         {0, 0.25f, 0.75f, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const NineCellStops stops = nine_cell_stops(c.frame, c.border, c.picture);
        expect_near(stops.x, c.x);
        expect_near(stops.y, c.y);
        expect_near(stops.u, c.u);
        expect_near(stops.v, c.v);
    }
}

TEST(NineCell, TextureCoordinatesFollowMirroredAndTurnedCorners) {
    struct Case {
        const char* what;
        QuadUv uv;  // top-left, top-right, bottom-left, bottom-right
        float fu, fv;
        std::array<float, 2> expected;
    };
    const Case cases[] = {
        {"plain",
         {{{0.5f, 0.25f}, {1, 0.25f}, {0.5f, 0.75f}, {1, 0.75f}}},
         0.5f,
         0.5f,
         {0.75f, 0.5f}},
        {"mirrored", {{{0.5f, 0}, {0, 0}, {0.5f, 1}, {0, 1}}}, 0.25f, 0.5f, {0.375f, 0.5f}},
        {"turned", {{{0, 1}, {0, 0}, {1, 1}, {1, 0}}}, 0.25f, 0.75f, {0.75f, 0.75f}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto uv = bilinear_uv(c.uv, c.fu, c.fv);
        EXPECT_FLOAT_EQ(uv[0], c.expected[0]);
        EXPECT_FLOAT_EQ(uv[1], c.expected[1]);
    }
}

TEST(NineCell, CellsTileTheFrameRowByRowAndTakeTheOffset) {
    const QuadUv uv = {{{0, 0}, {1, 0}, {0, 1}, {1, 1}}};
    const auto cells =
        nine_cell_quads(nine_cell_stops({15, 30}, {10, 10, 5, 5}, {40, 20}), uv, {2, 3});
    // The middle column has no width; corners keep the picture's corner coordinates.
    EXPECT_EQ(cells[0].x0, 2.0f);
    EXPECT_EQ(cells[0].y0, 3.0f);
    EXPECT_EQ(cells[8].x1, 17.0f);
    EXPECT_EQ(cells[8].y1, 33.0f);
    EXPECT_EQ(cells[4].x0, cells[4].x1);
    EXPECT_EQ(cells[4].y0, 8.0f);
    EXPECT_EQ(cells[4].y1, 28.0f);
    EXPECT_EQ(cells[0].uv[0], uv[0]);
    EXPECT_EQ(cells[8].uv[3], uv[3]);
    EXPECT_EQ(cells[1].uv[0], (std::array<float, 2>{0.25f, 0}));
    EXPECT_EQ(cells[7].uv[3], (std::array<float, 2>{0.75f, 1}));
}

TEST(UISpritePlacement, CenteredSpritesShrinkToFitAndPutThePivotOnAWholeUnit) {
    struct Case {
        const char* what;
        Vec2 frame;
        CenteredPicture picture;
        Vec2 offset;
        std::array<float, 4> quad;
    };
    const Case cases[] = {
        {"64 x 64 in 32 x 128",
         {32, 128},
         {{64, 64}, {0, 0}, {64, 64}, {0, 0}},
         {0, 0},
         {0, 48, 32, 80}},
        {"centre pivot",
         {32, 128},
         {{64, 64}, {32, 32}, {64, 64}, {32, 32}},
         {0, 0},
         {0, 48, 32, 80}},
        {"never enlarged, floored",
         {64, 64},
         {{33, 33}, {0, 0}, {33, 33}, {0, 0}},
         {1, 2},
         {16, 17, 49, 50}},
        {"animated frame",
         {100, 100},
         {{40, 30}, {10, 10}, {20, 20}, {5, 5}},
         {0, 0},
         {35, 40, 55, 60}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const UIQuad q = center_sprite_quad(c.frame, c.picture, c.offset);
        EXPECT_EQ((std::array<float, 4>{q.x0, q.y0, q.x1, q.y1}), c.quad);
    }
    EXPECT_EQ(ui_sprite_mode_from_name("center"), UISpriteMode::kCenter);
    EXPECT_EQ(ui_sprite_mode_from_name("scale_to_fill"), UISpriteMode::kScaleToFill);
    EXPECT_FALSE(ui_sprite_mode_from_name("fill").has_value());
}

}  // namespace
}  // namespace tarn
