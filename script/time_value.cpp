#include "script/time_value.hpp"

namespace tarn {

int compare_times(TimeValue a, double b) {
    if (a.seconds > b)
        return 1;
    if (a.seconds < b)
        return -1;
    return 0;
}

}  // namespace tarn
