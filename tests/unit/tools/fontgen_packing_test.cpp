#include "tools/fontgen/shelf_packer.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tarn::fontgen {
namespace {

// Sizes spread like a font's glyphs, from a fixed sequence so every run packs the same.
std::vector<PackRect> glyph_like_rects(int count, int scale) {
    std::vector<PackRect> rects;
    unsigned state = 12345;
    for (int i = 0; i < count; ++i) {
        state = state * 1103515245u + 12345u;
        rects.push_back(
            {static_cast<int>(state >> 8) % scale, static_cast<int>(state >> 20) % scale});
    }
    return rects;
}

bool power_of_two(int n) {
    return n > 0 && (n & (n - 1)) == 0;
}

// Every non-empty rectangle lies inside the page, and any two are at least spacing apart.
std::string layout_fault(const std::vector<PackRect>& rects, const PackedPage& page, int spacing) {
    for (std::size_t i = 0; i < rects.size(); ++i) {
        const PackRect& a = rects[i];
        const PackPlace& p = page.places[i];
        if (a.width == 0 || a.height == 0)
            continue;
        if (p.x < 0 || p.y < 0 || p.x + a.width > page.width || p.y + a.height > page.height)
            return "rectangle " + std::to_string(i) + " leaves the page";
        for (std::size_t j = 0; j < i; ++j) {
            const PackRect& b = rects[j];
            const PackPlace& q = page.places[j];
            if (b.width == 0 || b.height == 0)
                continue;
            const bool apart = p.x + a.width + spacing <= q.x || q.x + b.width + spacing <= p.x ||
                               p.y + a.height + spacing <= q.y || q.y + b.height + spacing <= p.y;
            if (!apart)
                return "rectangles " + std::to_string(j) + " and " + std::to_string(i) + " touch";
        }
    }
    return "";
}

struct FitCase {
    const char* name;
    std::vector<PackRect> rects;
    int spacing;
    int fixed_width, fixed_height;
};

TEST(FontgenPacking, RectanglesStayInsideAPowerOfTwoPageAndApart) {
    std::vector<PackRect> mixed = glyph_like_rects(95, 40);
    mixed.push_back({0, 0});
    mixed.push_back({7, 0});
    const FitCase cases[] = {
        {"ascii-like", glyph_like_rects(95, 34), 1, 0, 0},
        {"no spacing", glyph_like_rects(95, 34), 0, 0, 0},
        {"wide spacing", glyph_like_rects(200, 20), 5, 0, 0},
        {"with empty", mixed, 2, 0, 0},
        {"one cell", std::vector<PackRect>(400, {10, 10}), 1, 0, 0},
        {"exactly full", std::vector<PackRect>(16, {16, 16}), 0, 64, 64},
        {"a whole page", {{2048, 2048}}, 0, 0, 0},
        {"many small", glyph_like_rects(5000, 14), 1, 0, 0},
    };
    for (const FitCase& c : cases) {
        const std::optional<PackedPage> page =
            pack_shelves(c.rects, c.spacing, c.fixed_width, c.fixed_height, 2048);
        ASSERT_TRUE(page) << c.name;
        ASSERT_EQ(page->places.size(), c.rects.size()) << c.name;
        EXPECT_TRUE(power_of_two(page->width) && power_of_two(page->height)) << c.name;
        EXPECT_LE(std::max(page->width, page->height), 2048) << c.name;
        if (c.fixed_width > 0) {
            EXPECT_EQ(page->width, c.fixed_width) << c.name;
            EXPECT_EQ(page->height, c.fixed_height) << c.name;
        }
        EXPECT_EQ(layout_fault(c.rects, *page, c.spacing), "") << c.name;
    }
}

TEST(FontgenPacking, FailsWhenNothingLargeEnoughFits) {
    const FitCase cases[] = {
        {"wider than the largest page", {{2049, 4}}, 0, 0, 0},
        {"too many for the largest page", std::vector<PackRect>(17, {512, 512}), 0, 0, 0},
        {"spacing overflows the fixed page", std::vector<PackRect>(16, {16, 16}), 1, 64, 64},
        {"taller than the fixed page", {{8, 65}}, 0, 128, 64},
    };
    for (const FitCase& c : cases) {
        EXPECT_FALSE(pack_shelves(c.rects, c.spacing, c.fixed_width, c.fixed_height, 2048))
            << c.name;
    }
}

}  // namespace
}  // namespace tarn::fontgen
