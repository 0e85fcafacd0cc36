// The System functions of scripts and messages.
#include <gtest/gtest.h>

#include "support/log_capture.hpp"
#include "support/script_vm.hpp"

namespace tarn {
namespace {

class ScriptSystemApiTest : public ::testing::Test {
protected:
    test::LogCapture log;
    test::ScriptVm vm;
};

TEST_F(ScriptSystemApiTest, MessagesLogTheArgumentsWithoutSeparators) {
    vm.eval("System.message(\"a\", 1, 2.5)");
    EXPECT_EQ(log.lines().back(), "a12.5");
    vm.eval("System.warning(\"w\", -2, true)");
    EXPECT_EQ(log.lines().back(), "w-2true");
    vm.eval("System.error(\"still \", \"running\")");
    EXPECT_EQ(log.lines().back(), "still running");
}

TEST_F(ScriptSystemApiTest, FormatReturnsTheConcatenation) {
    EXPECT_EQ(vm.eval_string("return System.format()"), "");
    EXPECT_EQ(vm.eval_string("return System.format(\"x\", 3, \"y\")"), "x3y");
}

TEST_F(ScriptSystemApiTest, EmptyFunctionsAcceptOnlyThis) {
    EXPECT_EQ(vm.eval_string("return typeof System.test()"), "null");
    EXPECT_EQ(vm.eval_string("return typeof System.debug_point()"), "null");
    EXPECT_NE(vm.error_of("System.test(1)"), "<no error>");
}

TEST_F(ScriptSystemApiTest, FatalErrorExitsWithStatusZero) {
    setenv("TARN_NO_DIALOG", "1", 1);
    EXPECT_EXIT(vm.run("System.fatal_error(\"bye \", 1)"), ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(log.lines().back(), "bye 1");
}

}  // namespace
}  // namespace tarn
