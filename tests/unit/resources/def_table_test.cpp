#include "resources/def_table.hpp"

#include <gtest/gtest.h>

#include "support/script_vm.hpp"

namespace tarn {
namespace {

class DefTableTest : public ::testing::Test {
protected:
    DefTable def(const char* table) { return DefTable(vm_.eval(std::string("return ") + table)); }

    test::ScriptVm vm_;
};

TEST_F(DefTableTest, BooleansAcceptBoolsAndNumbersOnly) {
    const DefTable d = def("{ a = true, b = false, c = 0, d = 2.5, e = \"yes\", f = null }");
    EXPECT_TRUE(d.boolean("a", false));
    EXPECT_FALSE(d.boolean("b", true));
    EXPECT_FALSE(d.boolean("c", true));
    EXPECT_TRUE(d.boolean("d", false));
    EXPECT_TRUE(d.boolean("e", true));  // a string is no bool: the default
    EXPECT_FALSE(d.boolean("e", false));
    EXPECT_TRUE(d.boolean("f", true));
    EXPECT_FALSE(d.boolean("missing", false));
}

TEST_F(DefTableTest, StringsAreEmptyUnlessAString) {
    const DefTable d = def("{ s = \"wall.png\", n = 5, z = \"a\\x00b\", none = null }");
    EXPECT_STREQ(d.string("s").data(), "wall.png");
    EXPECT_EQ(d.string("n").length(), 0);
    EXPECT_EQ(d.string("missing").length(), 0);
    // The fallback stands in for a missing or null key only, not for a value of another type.
    EXPECT_STREQ(d.string("missing", "linear").data(), "linear");
    EXPECT_STREQ(d.string("none", "linear").data(), "linear");
    EXPECT_EQ(d.string("n", "linear").length(), 0);
    EXPECT_STREQ(d.string("s", "linear").data(), "wall.png");
    EXPECT_EQ(d.string("z").length(), 3);  // embedded zero kept
    EXPECT_TRUE(d.has("n"));
    EXPECT_FALSE(d.has("missing"));
}

TEST_F(DefTableTest, IntegersTruncateFloatsAndSurviveAbsurdValues) {
    const DefTable d = def("{ i = 7, f = -3.9, big = 1e30, small = -1e30, s = \"4\" }");
    EXPECT_EQ(d.integer("i", 0), 7);
    EXPECT_EQ(d.integer("f", 0), -3);
    EXPECT_EQ(d.integer("big", 0), 2147483647);
    EXPECT_EQ(d.integer("small", 0), -2147483647 - 1);
    EXPECT_EQ(d.integer("s", 11), 11);
    EXPECT_FLOAT_EQ(d.number("f", 0), -3.9f);
    EXPECT_FLOAT_EQ(d.number("s", 1.5f), 1.5f);
}

TEST_F(DefTableTest, PairsNeedTwoNumbers) {
    const DefTable d =
        def("{ ok = [32, 16.5], long = [1, 2, 3], short = [1], mixed = [1, \"x\"],"
            " text = \"32\" }");
    std::array<float, 2> out = {-1, -1};
    ASSERT_TRUE(d.pair("ok", out));
    EXPECT_FLOAT_EQ(out[0], 32.0f);
    EXPECT_FLOAT_EQ(out[1], 16.5f);
    EXPECT_TRUE(d.pair("long", out));
    out = {-1, -1};
    EXPECT_FALSE(d.pair("short", out));
    EXPECT_FALSE(d.pair("mixed", out));
    EXPECT_FALSE(d.pair("text", out));
    EXPECT_FALSE(d.pair("missing", out));
    EXPECT_FLOAT_EQ(out[0], -1.0f);  // untouched by a failed read
}

TEST_F(DefTableTest, NumbersGiveTheArrayLengthAndReadOnlyWhatFits) {
    const DefTable d = def("{ a = [1, 2.5, 3], e = [], bad = [1, \"x\"], late = [1, 2, \"x\"] }");
    struct Case {
        const char* key;
        int length;
        std::array<float, 2> read;
    };
    const Case cases[] = {
        {"a", 3, {1.0f, 2.5f}},    {"e", 0, {-1.0f, -1.0f}},        {"bad", -1, {1.0f, -1.0f}},
        {"late", 3, {1.0f, 2.0f}}, {"missing", -1, {-1.0f, -1.0f}},
    };
    for (const Case& c : cases) {
        std::array<float, 2> out = {-1.0f, -1.0f};
        EXPECT_EQ(d.numbers(c.key, out), c.length) << c.key;
        EXPECT_EQ(out, c.read) << c.key;
    }
    EXPECT_EQ(d.elements("a").size(), 3u);
    EXPECT_TRUE(d.elements("missing").empty());
}

TEST_F(DefTableTest, ColoursTakeThreeOrFourNumbers) {
    const DefTable d = def("{ rgb = [1, 0.5, 0], rgba = [0, 0, 1, 0.25], two = [1, 1] }");
    std::array<float, 4> out{};
    ASSERT_TRUE(d.color("rgb", out));
    EXPECT_EQ(out, (std::array<float, 4>{1.0f, 0.5f, 0.0f, 1.0f}));
    ASSERT_TRUE(d.color("rgba", out));
    EXPECT_EQ(out, (std::array<float, 4>{0.0f, 0.0f, 1.0f, 0.25f}));
    EXPECT_FALSE(d.color("two", out));
}

TEST_F(DefTableTest, ANonTableReadsAsEmpty) {
    const DefTable d = def("5");
    EXPECT_TRUE(d.is_null());
    EXPECT_FALSE(d.has("a"));
    EXPECT_TRUE(d.boolean("a", true));
    EXPECT_EQ(d.integer("a", 3), 3);
}

TEST_F(DefTableTest, ReadsLeaveTheStackAsTheyFoundIt) {
    const DefTable d = def("{ a = [1, 2], s = \"x\", c = [1, 2, \"no\"] }");
    const SQInteger top = sq_gettop(vm_.vm());
    std::array<float, 2> pair{};
    std::array<float, 4> color{};
    d.pair("a", pair);
    d.string("s");
    d.color("c", color);
    d.has("a");
    EXPECT_EQ(sq_gettop(vm_.vm()), top);
}

}  // namespace
}  // namespace tarn
