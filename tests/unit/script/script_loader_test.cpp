// System.load_script and System.run_script: source files, the ".bin" fallback and their errors.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "script/script_compiler.hpp"
#include "support/log_capture.hpp"
#include "support/script_vm.hpp"
#include "support/temp_dir.hpp"

namespace tarn {
namespace {

SQInteger append_bytes(SQUserPointer out, SQUserPointer data, SQInteger size) {
    static_cast<std::string*>(out)->append(static_cast<const char*>(data), size);
    return size;
}

class ScriptLoaderTest : public ::testing::Test {
protected:
    // A script call that quotes path.
    std::string call(const char* function, const std::string& path, const char* extra = "") {
        return std::string("System.") + function + "(\"" + path + "\"" + extra + ")";
    }

    // The closure of code in the VM's own serialised form.
    std::string serialised(const char* code) {
        ScriptObject closure = compile_text(vm.vm(), code, std::strlen(code), "bin");
        closure.push();
        std::string bytes;
        EXPECT_TRUE(SQ_SUCCEEDED(sq_writeclosure(vm.vm(), append_bytes, &bytes)));
        sq_poptop(vm.vm());
        return bytes;
    }

    test::LogCapture log;
    test::TempDir dir;
    test::ScriptVm vm;
};

TEST_F(ScriptLoaderTest, RunScriptPassesArgumentsWithTheRootTableAsThis) {
    std::string path = dir / "args.nut";
    test::write_file(path,
                     "return (this == getroottable() ? \"root\" : \"other\") + vargv.len() + "
                     "vargv[0] + vargv[1];");
    EXPECT_EQ(vm.eval_string("return " + call("run_script", path, ", 1, 2")), "root212");
    std::string plain = dir / "plain.nut";
    test::write_file(plain, "return vargv.len() + 40;");
    EXPECT_EQ(vm.eval_integer("return " + call("load_script", plain) + "(1, 1)"), 42);
}

TEST_F(ScriptLoaderTest, CompileErrorIsRaisedWithItsText) {
    std::string path = dir / "broken.nut";
    test::write_file(path, "local x = ;");
    std::string error = vm.error_of(call("load_script", path));
    EXPECT_EQ(error, vm.host().compile_error_text().data());
    EXPECT_EQ(error.rfind("Compile error in '" + path + "', line 1, column ", 0), 0u);
    EXPECT_EQ(vm.error_of(call("run_script", path)), error);
}

TEST_F(ScriptLoaderTest, MissingFileWithoutBinaryIsAnError) {
    std::string path = dir / "missing.nut";
    EXPECT_EQ(vm.error_of(call("load_script", path)), "Can't load '" + path + "' file.");
    EXPECT_EQ(vm.error_of(call("run_script", path)), "Can't load '" + path + "' file.");
}

TEST_F(ScriptLoaderTest, BinaryFormIsLoadedWhenTheSourceIsMissing) {
    std::string path = dir / "compiled.nut";
    test::write_file(path + ".bin", serialised("return 40 + vargv[0];"));
    EXPECT_EQ(vm.eval_integer("return " + call("run_script", path, ", 2")), 42);
    std::vector<std::string> lines = log.lines();
    EXPECT_NE(std::find(lines.begin(), lines.end(), "Loading binary script " + path), lines.end());
}

TEST_F(ScriptLoaderTest, CorruptBinaryIsAnError) {
    std::string path = dir / "corrupt.nut";
    test::write_file(path + ".bin", "not a closure");
    EXPECT_EQ(vm.error_of(call("load_script", path)), "Can't load '" + path + "' binary file.");
}

TEST_F(ScriptLoaderTest, ErrorsOfTheLoadedScriptReachTheCaller) {
    std::string path = dir / "throws.nut";
    test::write_file(path, "throw \"inner \" + vargv[0];");
    EXPECT_EQ(vm.error_of(call("run_script", path, ", 7")), "inner 7");
}

}  // namespace
}  // namespace tarn
