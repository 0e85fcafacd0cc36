// Curves through their script class: loading on first use, values across the keys, the counts,
// every load message and the refused channels; and the native evaluation of several channels.
#include "resources/curve.hpp"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "resources/resource_loading.hpp"
#include "support/log_capture.hpp"
#include "support/script_vm.hpp"

namespace tarn::test {
namespace {

using Lines = std::vector<std::string>;

class CurveTest : public ::testing::Test {
protected:
    // A new curve of def (script table text), as an expression.
    static std::string curve(const std::string& def) { return "::Curve.create(" + def + ")"; }

    float eval_float(const std::string& code) {
        const ScriptObject result = vm_.eval("return " + code);
        EXPECT_TRUE(result.type() == OT_FLOAT) << code;
        return sq_objtofloat(&result.handle());
    }

    ScriptVm vm_;
};

TEST_F(CurveTest, ValuesClampOutsideTheKeysAndInterpolateBetween) {
    const std::string two = "{ keys = [0, 1, 2], data = [0, 10, 20, 5, 5, 5] }";
    const std::string scaled = "{ keys = [0, 1.5], data = [0, 6], time_scale = 2 }";
    const std::string flat = "{ keys = [0, 1], data = [4, 8], time_scale = -1 }";
    const std::string single = "{ keys = [5], data = [3, 4] }";
    const std::string unsorted = "{ keys = [0, 2, 1], data = [0, 20, 40] }";
    const std::string repeated = "{ keys = [0, 1, 1, 2], data = [0, 10, 20, 30] }";
    const std::string odd = "{ keys = [0, \"x\", 1], data = [null, 6, 8] }";
    struct Case {
        std::string def;
        const char* time;
        int channel;
        float value;
    };
    const Case cases[] = {
        {two, "-1", 0, 0.0f},       {two, "0", 0, 0.0f},       {two, "0.5", 0, 5.0f},
        {two, "0.5", 1, 5.0f},      {two, "1", 0, 10.0f},      {two, "1.5", 0, 15.0f},
        {two, "2", 0, 20.0f},       {two, "7", 0, 20.0f},      {two, "7.0", 1, 5.0f},
        {scaled, "1.5", 0, 3.0f},   {scaled, "3", 0, 6.0f},    {flat, "-0.5", 0, 4.0f},
        {flat, "0", 0, 8.0f},       {single, "-9", 1, 4.0f},   {single, "5", 0, 3.0f},
        {single, "99", 1, 4.0f},    {unsorted, "1", 0, 10.0f}, {unsorted, "2", 0, 40.0f},
        {repeated, "0.5", 0, 5.0f}, {repeated, "1", 0, 20.0f}, {repeated, "1.5", 0, 25.0f},
        {odd, "0", 0, 6.0f},        {odd, "0.5", 0, 7.0f},
    };
    for (const Case& c : cases) {
        const std::string code =
            curve(c.def) + ".evaluate_float(" + c.time + ", " + std::to_string(c.channel) + ")";
        EXPECT_FLOAT_EQ(eval_float(code), c.value) << code;
    }
}

TEST_F(CurveTest, CountsAndDurationLoadTheCurveOnTheirFirstQuery) {
    struct Case {
        std::string curve;
        int keys;
        int channels;
        float duration;
    };
    const Case cases[] = {
        {curve("{ keys = [0, 1, 2], data = [0, 10, 20, 5, 5, 5] }"), 3, 2, 2.0f},
        {curve("{ keys = [0, 1.5], data = [0, 6], time_scale = 2 }"), 2, 1, 3.0f},
        {curve("{ keys = [0, 2, 1], data = [0, 20, 40] }"), 3, 1, 2.0f},
        {curve("{ keys = [0, 1], data = [1, 2, 3] }"), 0, 0, 0.0f},
        {"::Curve()", 0, 0, 0.0f},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(vm_.run("::c <- " + c.curve)) << c.curve;
        EXPECT_EQ(vm_.eval_integer("return ::c.get_key_count()"), c.keys) << c.curve;
        EXPECT_EQ(vm_.eval_integer("return ::c.get_channel_count()"), c.channels) << c.curve;
        EXPECT_FLOAT_EQ(eval_float("::c.get_duration()"), c.duration) << c.curve;
    }
}

TEST_F(CurveTest, LoadProblemsAreLoggedOnceWithTheCurveName) {
    const Lines failed = {"Unable to load curve 'c'.", "Error: Curve 'c' failed to load."};
    auto failure = [&](const std::string& first) {
        Lines lines{first};
        lines.insert(lines.end(), failed.begin(), failed.end());
        return lines;
    };
    struct Case {
        const char* def;  // null: no def
        Lines log;
    };
    const Case cases[] = {
        {nullptr, failure("No def for curve 'c'.")},
        {"7", failure("No def for curve 'c'.")},
        {"{ data = [1] }", failure("Curve 'c': Invalid keys.")},
        {"{ keys = 3, data = [1] }", failure("Curve 'c': Invalid keys.")},
        {"{ keys = [], data = [1] }", failure("Curve 'c': invalid number of keys.")},
        {"{ keys = [0] }", failure("Curve 'c': Invalid data.")},
        {"{ keys = [0, 1], data = [] }", failure("Curve 'c': Invalid number of data values.")},
        {"{ keys = [0, 1], data = [1, 2, 3, 4, 5] }",
         failure("Curve 'c': Invalid number of data values.")},
        {"{ keys = [0, 2, 1, 3], data = [1, 2, 3, 4] }", {"Curve 'c': keys are not sorted."}},
        {"{ keys = [0, 0, 1], data = [1, 2, 3] }", {}},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(vm_.run("::g_curve_defs.clear(); ::c <- null;"));
        if (c.def != nullptr) {
            ASSERT_TRUE(vm_.run(std::string("::g_curve_defs.c <- ") + c.def));
        }
        LogCapture log;
        ASSERT_TRUE(
            vm_.run("::c <- ::Curve.create(\"c\"); ::c.get_key_count(); "
                    "::c.get_duration(); ::Curve.create(\"c\").get_channel_count();"));
        EXPECT_EQ(log.lines(), c.log) << (c.def ? c.def : "no def");
    }
}

TEST_F(CurveTest, ScriptErrorsRefuseBadCallsAndChannelsOutOfRange) {
    ASSERT_TRUE(vm_.run("::c <- " + curve("{ keys = [0, 1], data = [0, 1, 2, 3] }") +
                        "; ::n <- ::Curve();"));
    LogCapture log;  // the curve without a def logs its failed load
    struct Case {
        const char* code;
        std::string error;
    };
    const Case cases[] = {
        {"::c.evaluate_float(0, 2)", "Curve '': channel 2 is out of range (2 channels)."},
        {"::c.evaluate_float(0, -1)", "Curve '': channel -1 is out of range (2 channels)."},
        {"::n.evaluate_float(0, 0)", "Curve '': channel 0 is out of range (0 channels)."},
        {"::c.evaluate_float(\"0\", 0)",
         "parameter 1 has an invalid type 'string' ; expected: 'integer|float'"},
        {"::c.evaluate_float(0, 0.5)",
         "parameter 2 has an invalid type 'float' ; expected: 'integer'"},
        {"::Curve.get_duration.call(::Time())", "Expecting Curve"},
        {"::Curve.evaluate_float.call((class {})(), 0, 0)", "Expecting Curve"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(vm_.error_of(c.code), c.error) << c.code;
}

TEST_F(CurveTest, NativeEvaluationWritesTheAskedChannelsOnly) {
    ASSERT_TRUE(vm_.run("::g_curve_defs.c <- { keys = [0, 2], data = [0, 2, 10, 20, 7, 7] };"));
    const ObjectRef<Curve> c(get_or_create<Curve>(vm_.vm(), "c"));
    ASSERT_TRUE(c->ensure_loaded());
    struct Case {
        int first;
        int count;
        bool ok;
        std::array<float, 3> out;
    };
    const Case cases[] = {
        {0, 3, true, {1.0f, 15.0f, 7.0f}},     {1, 2, true, {15.0f, 7.0f, -1.0f}},
        {2, 1, true, {7.0f, -1.0f, -1.0f}},    {2, 2, false, {-1.0f, -1.0f, -1.0f}},
        {-1, 1, false, {-1.0f, -1.0f, -1.0f}},
    };
    for (const Case& k : cases) {
        std::array<float, 3> out = {-1.0f, -1.0f, -1.0f};
        EXPECT_EQ(c->evaluate(1.0f, std::span(out).first(k.count), k.first), k.ok) << k.first;
        EXPECT_EQ(out, k.out) << k.first << " " << k.count;
    }
}

}  // namespace
}  // namespace tarn::test
