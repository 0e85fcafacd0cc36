#pragma once

#include <optional>
#include <vector>

namespace tarn::fontgen {

struct PackRect {
    int width = 0;
    int height = 0;
};

struct PackPlace {
    int x = 0;
    int y = 0;
};

struct PackedPage {
    int width = 0;
    int height = 0;
    std::vector<PackPlace> places;  // one per input rectangle, in input order
};

// Places the rectangles on shelves (tallest first) in one power-of-two page, at least spacing
// pixels apart. With fixed_width and fixed_height non-zero only that page is tried; otherwise
// the page grows, wider first, up to max_side a side. Empty rectangles go to (0, 0). None when
// they do not fit.
std::optional<PackedPage> pack_shelves(const std::vector<PackRect>& rects, int spacing,
                                       int fixed_width, int fixed_height, int max_side);

}  // namespace tarn::fontgen
