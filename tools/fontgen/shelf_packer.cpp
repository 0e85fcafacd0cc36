#include "tools/fontgen/shelf_packer.hpp"

#include <algorithm>
#include <numeric>

namespace tarn::fontgen {
namespace {

// Fills places (in the order given) on a width x height page; false when something does not fit.
bool fill_shelves(const std::vector<PackRect>& rects, const std::vector<int>& order, int spacing,
                  int width, int height, std::vector<PackPlace>& places) {
    int x = 0, y = 0, shelf_height = 0;
    for (const int i : order) {
        const PackRect& rect = rects[i];
        if (rect.width == 0 || rect.height == 0) {
            places[i] = {};
            continue;
        }
        if (x > 0 && x + rect.width > width) {
            y += shelf_height + spacing;
            x = 0;
            shelf_height = 0;
        }
        if (x + rect.width > width || y + rect.height > height)
            return false;
        places[i] = {x, y};
        x += rect.width + spacing;
        shelf_height = std::max(shelf_height, rect.height);
    }
    return true;
}

}  // namespace

std::optional<PackedPage> pack_shelves(const std::vector<PackRect>& rects, int spacing,
                                       int fixed_width, int fixed_height, int max_side) {
    std::vector<int> order(rects.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return rects[a].height != rects[b].height ? rects[a].height > rects[b].height
                                                  : rects[a].width > rects[b].width;
    });
    PackedPage page;
    page.places.resize(rects.size());
    const bool fixed = fixed_width > 0 && fixed_height > 0;
    page.width = fixed ? fixed_width : 1;
    page.height = fixed ? fixed_height : 1;
    while (!fill_shelves(rects, order, spacing, page.width, page.height, page.places)) {
        if (fixed || page.height >= max_side)
            return std::nullopt;
        (page.width <= page.height ? page.width : page.height) *= 2;
    }
    return page;
}

}  // namespace tarn::fontgen
