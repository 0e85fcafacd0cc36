#include "ui/nine_cell.hpp"

#include <gtest/gtest.h>

#include "ui/ui_sprite_placement.hpp"

namespace tarn {
namespace {

using Stops = std::array<float, 4>;

TEST(NineCell, BordersKeepTheirSizeUntilTheFrameIsNarrowerThanBoth) {
    struct Case {
        Vec2 frame;
        Stops border;  // left, right, top, bottom
        Vec2 picture;
        Stops x, y, u, v;
    };
    const Case cases[] = {
        {{15, 40},
         {10, 10, 10, 10},
         {40, 40},
         {0, 7.5f, 7.5f, 15},
         {0, 10, 30, 40},
         {0, 0.25f, 0.75f, 1},
         {0, 0.25f, 0.75f, 1}},
        {{100, 8},
         {4, 6, 2, 6},
         {20, 16},
         {0, 4, 94, 100},
         {0, 2, 2, 8},
         {0, 0.2f, 0.7f, 1},
         {0, 0.125f, 0.625f, 1}},
        {{30, 5},
         {0, 0, 5, 5},
         {10, 20},
         {0, 0, 30, 30},
         {0, 2.5f, 2.5f, 5},
         {0, 0, 1, 1},
         {0, 0.25f, 0.75f, 1}},
    };
    for (const Case& c : cases) {
        const NineCellStops stops = nine_cell_stops(c.frame, c.border, c.picture);
        EXPECT_EQ(stops.x, c.x);
        EXPECT_EQ(stops.y, c.y);
        EXPECT_EQ(stops.u, c.u);
        EXPECT_EQ(stops.v, c.v);
    }
}

TEST(NineCell, TextureCoordinatesFollowMirroredAndTurnedCorners) {
    struct Case {
        QuadUv uv;  // top-left, top-right, bottom-left, bottom-right
        float fu, fv;
        std::array<float, 2> expected;
    };
    const Case cases[] = {
        {{{{0.5f, 0.25f}, {1, 0.25f}, {0.5f, 0.75f}, {1, 0.75f}}}, 0.5f, 0.5f, {0.75f, 0.5f}},
        {{{{0.5f, 0}, {0, 0}, {0.5f, 1}, {0, 1}}}, 0.25f, 0.5f, {0.375f, 0.5f}},
        {{{{0, 1}, {0, 0}, {1, 1}, {1, 0}}}, 0.25f, 0.75f, {0.75f, 0.75f}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(bilinear_uv(c.uv, c.fu, c.fv), c.expected);
    // Cells take the offset; the middle one of a squeezed frame has no width.
    const auto cells =
        nine_cell_quads(nine_cell_stops({15, 30}, {10, 10, 5, 5}, {40, 20}), cases[0].uv, {2, 3});
    EXPECT_EQ((Stops{cells[4].x0, cells[4].y0, cells[4].x1, cells[4].y1}),
              (Stops{9.5f, 8, 9.5f, 28}));
    EXPECT_EQ(cells[8].uv[3], cases[0].uv[3]);
}

TEST(UISpritePlacement, AnAnimatedFrameIsPlacedByItsOwnPivotInsideTheWholeSprite) {
    // Sprite 40 x 30 with pivot (10, 10); its frame 20 x 20 with pivot (5, 5); the pivot lands on
    // whole units.
    const UIQuad q = center_sprite_quad({101, 100}, {{40, 30}, {10, 10}, {20, 20}, {5, 5}}, {1, 2});
    EXPECT_EQ((Stops{q.x0, q.y0, q.x1, q.y1}), (Stops{36, 42, 56, 62}));
    const UIQuad shrunk =
        center_sprite_quad({32, 128}, {{64, 64}, {32, 32}, {64, 64}, {32, 32}}, {});
    EXPECT_EQ((Stops{shrunk.x0, shrunk.y0, shrunk.x1, shrunk.y1}), (Stops{0, 48, 32, 80}));
}

}  // namespace
}  // namespace tarn
