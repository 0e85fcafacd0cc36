#pragma once

namespace tarn {

// The value of a script Time: seconds as a double, kept in the instance's own user data.
struct TimeValue {
    double seconds = 0.0;
};

inline TimeValue operator+(TimeValue a, double b) {
    return TimeValue{a.seconds + b};
}
inline TimeValue operator-(TimeValue a, double b) {
    return TimeValue{a.seconds - b};
}

// 1 when a is later than b, -1 when earlier, 0 otherwise (also when either is not a number,
// so the comparison never claims an order that does not exist).
int compare_times(TimeValue a, double b);

}  // namespace tarn
