// The VM host: compile and runtime error reports, calls, callbacks and the boot script.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <string>

#include "support/log_capture.hpp"
#include "support/script_vm.hpp"
#include "support/temp_dir.hpp"

namespace tarn {
namespace {

bool contains(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

// Runs the test body in another working directory.
class WorkingDirectory {
public:
    explicit WorkingDirectory(const std::string& path) : previous_(getcwd(nullptr, 0)) {
        EXPECT_EQ(chdir(path.c_str()), 0);
    }
    ~WorkingDirectory() {
        EXPECT_EQ(chdir(previous_), 0);
        free(previous_);
    }

private:
    char* previous_;
};

class ScriptHostTest : public ::testing::Test {
protected:
    test::LogCapture log;
    test::ScriptVm vm;
};

TEST_F(ScriptHostTest, StartLogsAndRegistersTheStandardModulesButNotIo) {
    EXPECT_EQ(log.lines().front(), "Initializing squirrel...");
    EXPECT_EQ(vm.eval_string("return typeof ::sqrt"), "function");
    EXPECT_EQ(vm.eval_string("return typeof ::format"), "function");
    EXPECT_EQ(vm.eval_string("return typeof ::blob"), "class");
    EXPECT_EQ(vm.eval_string("return typeof ::clock"), "function");
    EXPECT_EQ(vm.eval_string("return (\"dofile\" in getroottable()) ? \"io\" : \"none\""), "none");
    EXPECT_EQ(vm.eval_string("return typeof System"), "table");
}

TEST_F(ScriptHostTest, CompileErrorIsStoredAndLogged) {
    EXPECT_EQ(vm.eval_integer("return System.get_last_script_compile_error_line_numer()"), 0);
    EXPECT_EQ(vm.eval_integer("return System.get_last_script_compile_error_column_numer()"), -1);
    std::string code = "local a = 1;\nlocal b = 2;\nlocal c = ;\n";
    EXPECT_TRUE(vm.host().compile(code.c_str(), code.size(), "broken.nut").is_null());

    const ScriptErrorState& state = vm.host().error_state();
    EXPECT_EQ(state.compile_line, 3);
    EXPECT_GT(state.compile_column, 0);
    EXPECT_EQ(state.compile_source, "broken.nut");
    std::string expected = "Compile error in 'broken.nut', line 3, column " +
                           std::to_string(state.compile_column) + ": " +
                           state.compile_description.data() + ".";
    EXPECT_EQ(log.lines().back(), expected);
    EXPECT_EQ(vm.host().compile_error_text(), expected.c_str());
    EXPECT_EQ(vm.eval_integer("return System.get_last_script_compile_error_line_numer()"), 3);
    EXPECT_EQ(vm.eval_integer("return System.get_last_script_compile_error_column_numer()"),
              state.compile_column);
}

TEST_F(ScriptHostTest, UncaughtErrorPrintsBannerAndKeepsTheFirstLocation) {
    std::string code = "function fail() {\n  throw \"boom\";\n}\nfunction later() { throw 5; }\n";
    ScriptObject script = vm.host().compile(code.c_str(), code.size(), "rt.nut");
    ASSERT_TRUE(vm.host().call(script, ScriptObject(), nullptr));
    EXPECT_FALSE(vm.run("fail()"));
    EXPECT_TRUE(contains(log.lines(), "AN ERROR HAS OCCURED [boom]"));
    EXPECT_EQ(vm.host().error_text(), "boom\nWhile running rt.nut:2:fail().");
    EXPECT_TRUE(contains(log.lines(), "While running rt.nut:2:fail()."));

    EXPECT_FALSE(vm.run("later()"));
    EXPECT_TRUE(contains(log.lines(), "AN ERROR HAS OCCURED [unknown]"));
    EXPECT_EQ(vm.host().error_text(), "Unknown error.\nWhile running rt.nut:2:fail().");
}

TEST_F(ScriptHostTest, ErrorTextWithoutLocationEndsWithTheLineBreak) {
    vm.eval("try { throw \"caught\"; } catch (e) {}");
    EXPECT_EQ(vm.host().error_text(), "caught\n");
    EXPECT_FALSE(vm.host().error_state().has_runtime_location);
}

TEST_F(ScriptHostTest, CallPassesThisAndArgumentsAndReturnsTheResult) {
    ScriptObject closure = vm.eval("return function(a, b) { return tag + a + b; }");
    ScriptObject self = vm.eval("return { tag = \"t\" }");
    ScriptObject result;
    ASSERT_TRUE(vm.host().call(closure, self, &result, 1, 2.5f));
    EXPECT_STREQ(sq_objtostring(&result.handle()), "t12.5");
    vm.eval("tag <- \"root\"");
    ASSERT_TRUE(vm.host().call(closure, ScriptObject(), &result, "-", SharedString("x")));
    EXPECT_STREQ(sq_objtostring(&result.handle()), "root-x");
    // Source bytes above 0x7f pass through the compiler unchanged.
    EXPECT_EQ(vm.eval_string("return \"caf\xc3\xa9\""), "caf\xc3\xa9");
}

TEST_F(ScriptHostTest, CallbacksGetTypedArgumentsAndMissingOnesAreSkipped) {
    ScriptObject game = vm.eval(
        "return { update = function(dt) { ::seen <- typeof dt + dt; },"
        "         key_down = function(code) { ::seen <- typeof code + code; } }");
    vm.host().call_callback(game, "update", 0.5f);
    EXPECT_EQ(vm.eval_string("return seen"), "float0.5");
    vm.host().call_callback(game, "key_down", 27);
    EXPECT_EQ(vm.eval_string("return seen"), "integer27");
    size_t lines = log.lines().size();
    vm.host().call_callback(game, "render");
    vm.host().call_callback(ScriptObject(), "update", 0.1f);
    EXPECT_EQ(log.lines().size(), lines);
}

TEST_F(ScriptHostTest, FailingCallbackIsFatal) {
    setenv("TARN_NO_DIALOG", "1", 1);
    ScriptObject game = vm.eval("return { init = function() { throw \"broken init\"; } }");
    EXPECT_EXIT(vm.host().call_callback(game, "init"), ::testing::KilledBySignal(SIGABRT), "");
    EXPECT_TRUE(contains(log.lines(), "AN ERROR HAS OCCURED [broken init]"));
    EXPECT_EQ(log.lines().back(), "While running test:1:unknown().");
}

TEST_F(ScriptHostTest, BootScriptReturnsTheGameObject) {
    test::TempDir dir;
    test::write_file(dir / "scripts/constants.nut", "::LIVES <- 3;");
    test::write_file(dir / "scripts/main.nut", "return { lives = LIVES };");
    WorkingDirectory cwd(dir.path().string());
    ScriptObject game = vm.host().run_boot_script();
    ASSERT_EQ(game.type(), OT_TABLE);
    vm.eval("");  // keeps the VM usable after the boot
    game.push();
    sq_pushstring(vm.vm(), "lives", -1);
    ASSERT_TRUE(SQ_SUCCEEDED(sq_get(vm.vm(), -2)));
    SQInteger lives = 0;
    sq_getinteger(vm.vm(), -1, &lives);
    sq_pop(vm.vm(), 2);
    EXPECT_EQ(lives, 3);
}

TEST_F(ScriptHostTest, BootWithoutScriptsIsFatal) {
    setenv("TARN_NO_DIALOG", "1", 1);
    test::TempDir dir;
    WorkingDirectory cwd(dir.path().string());
    EXPECT_EXIT(vm.host().run_boot_script(), ::testing::KilledBySignal(SIGABRT), "");
    // The failed call logs the error text once, then the boot failure; the box only shows it.
    const auto lines = log.lines();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[lines.size() - 2], "While running boot.nut:1:main().");
    EXPECT_EQ(lines.back(), "Error running boot script.");
}

}  // namespace
}  // namespace tarn
