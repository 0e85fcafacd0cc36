// The Squirrel library and our headers must agree on the width of integers and floats, or every
// value crossing the VM boundary is garbage.
#include <gtest/gtest.h>
#include <squirrel.h>

#include <cstring>

namespace {

SQInteger evaluate_integer(HSQUIRRELVM vm, const char* expression) {
    const SQInteger top = sq_gettop(vm);
    EXPECT_TRUE(SQ_SUCCEEDED(sq_compilebuffer(
        vm, expression, static_cast<SQInteger>(std::strlen(expression)), "abi", SQFalse)));
    sq_pushroottable(vm);
    EXPECT_TRUE(SQ_SUCCEEDED(sq_call(vm, 1, SQTrue, SQFalse)));
    SQInteger value = -1;
    EXPECT_TRUE(SQ_SUCCEEDED(sq_getinteger(vm, -1, &value)));
    sq_settop(vm, top);
    return value;
}

TEST(SquirrelAbi, LibraryMatchesTheCompiledTypeWidths) {
    HSQUIRRELVM vm = sq_open(1024);
    ASSERT_NE(vm, nullptr);
    EXPECT_EQ(evaluate_integer(vm, "return _intsize_;"), static_cast<SQInteger>(sizeof(SQInteger)));
    EXPECT_EQ(evaluate_integer(vm, "return _floatsize_;"), static_cast<SQInteger>(sizeof(SQFloat)));
    EXPECT_EQ(evaluate_integer(vm, "return _charsize_;"), static_cast<SQInteger>(sizeof(SQChar)));
    EXPECT_EQ(evaluate_integer(vm, "return 1 << 40;"), SQInteger(1) << 40);
    sq_close(vm);
}

}  // namespace
