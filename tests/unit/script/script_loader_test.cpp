// System.load_script and System.run_script: source files, the ".bin" fallback and their errors.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "script/closure_stream.hpp"
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
    std::string serialised(const std::string& code) {
        ScriptObject closure = compile_text(vm.vm(), code.data(), code.size(), "bin");
        EXPECT_FALSE(closure.is_null()) << code;
        closure.push();
        std::string bytes;
        EXPECT_TRUE(SQ_SUCCEEDED(sq_writeclosure(vm.vm(), append_bytes, &bytes)));
        sq_poptop(vm.vm());
        return bytes;
    }

    bool loads(const std::string& bytes) {
        return !read_closure(vm.vm(), Bytes(bytes.begin(), bytes.end())).is_null();
    }

    // Writes bytes as the binary form of a missing script and returns load_script's error.
    std::string load_error(const std::string& bytes) {
        std::string path = dir / "damaged.nut";
        test::write_file(path + ".bin", bytes);
        return vm.error_of(call("load_script", path));
    }
    std::string binary_error() { return "Can't load '" + dir / "damaged.nut" + "' binary file."; }

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

// Every kind of value and section the format holds: literals of each type, parameters with
// defaults, variable arguments, locals, free variables, nested functions, classes, generators.
constexpr const char* kEveryKind =
    "local s = \"text\", f = 0.5, b = true, n = null;\n"
    "function add(a, b = 2, c = 3.5) { return a + b + c; }\n"
    "function sum(...) { local t = 0; foreach (v in vargv) t += v; return t; }\n"
    "class Counter { count = 0; function bump() { return ++count; } }\n"
    "function gen() { yield 1; yield 2; }\n"
    "local outer = 4;\n"
    "local inner = function() { return outer * 2; };\n"
    "local g = gen(); local total = resume g; total += resume g;\n"
    "return add(1) + sum(1, 2) + Counter().bump() + inner() + total + (b ? 1 : 0) + f + "
    "s.len() + (n == null ? 1 : 0);";

TEST_F(ScriptLoaderTest, SoundBinariesLoadAndRun) {
    const std::string bytes = serialised(kEveryKind);
    EXPECT_TRUE(
        is_sound_closure_stream(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
    std::string path = dir / "every_kind.nut";
    test::write_file(path + ".bin", bytes);
    // 6.5 + 3 + 1 + 8 + 3 + 1 + 0.5 + 4 + 1
    EXPECT_EQ(vm.eval_string("return (" + call("run_script", path) + ").tostring()"), "28");
    // Trailing bytes were never read, and still are not.
    EXPECT_TRUE(loads(bytes + "more"));
}

// Whatever the cut, the VM is never asked for bytes that are not there.
TEST_F(ScriptLoaderTest, TruncatedBinaryFailsAtEveryCut) {
    const std::string bytes = serialised(kEveryKind);
    for (std::size_t cut = 0; cut < bytes.size(); ++cut)
        EXPECT_FALSE(loads(bytes.substr(0, cut))) << "cut at " << cut;
    EXPECT_EQ(load_error(bytes.substr(0, bytes.size() / 2)), binary_error());
}

// The counts of the outer function follow the stream header, its source name ("bin") and its
// name ("main"): 2 + 4 * 4 bytes of header, a 4-byte mark, a string as type word, 8-byte length
// and characters, another string, another mark. The source name's length sits in the middle.
TEST_F(ScriptLoaderTest, DamagedCountsAndLengthsAreRefused) {
    const std::string bytes = serialised(kEveryKind);
    constexpr std::size_t kNameLength = 18 + 4 + 4;
    constexpr std::size_t kCounts = 18 + 4 + (4 + 8 + 3) + (4 + 8 + 4) + 4;
    struct Field {
        std::size_t offset, size;
    };
    for (const Field field : {Field{kNameLength, 8}, Field{kCounts, 8 * 8}}) {
        for (std::size_t at = field.offset; at < field.offset + field.size; ++at) {
            for (const unsigned char flip : {0x01, 0x80, 0xFF}) {
                std::string damaged = bytes;
                damaged[at] = static_cast<char>(damaged[at] ^ flip);
                EXPECT_FALSE(loads(damaged)) << "byte " << at << " ^ " << int(flip);
            }
        }
    }
    std::string huge = bytes;
    huge[kCounts + 7] = 0x7f;  // the literal count, far beyond the file
    EXPECT_EQ(load_error(huge), binary_error());
}

TEST_F(ScriptLoaderTest, FunctionsNestedBeyondTheLimitAreRefused) {
    auto nested = [](int depth) {  // depth counts the script's own main function
        std::string code;
        for (int i = 1; i < depth; ++i)
            code += "function f() {\n";
        return code + std::string(depth - 1, '}');
    };
    EXPECT_TRUE(loads(serialised(nested(kMaxClosureNesting))));
    EXPECT_EQ(load_error(serialised(nested(kMaxClosureNesting + 1))), binary_error());
}

TEST_F(ScriptLoaderTest, ErrorsOfTheLoadedScriptReachTheCaller) {
    std::string path = dir / "throws.nut";
    test::write_file(path, "throw \"inner \" + vargv[0];");
    EXPECT_EQ(vm.error_of(call("run_script", path, ", 7")), "inner 7");
}

}  // namespace
}  // namespace tarn
