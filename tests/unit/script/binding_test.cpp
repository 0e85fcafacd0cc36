// Registration operations and the checked argument readers, exercised from script code.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "core/message.hpp"
#include "script/binding.hpp"
#include "script/engine_object.hpp"
#include "script/file_object.hpp"
#include "support/log_capture.hpp"
#include "support/script_vm.hpp"

namespace tarn {
namespace {

SQInteger echo_integer(HSQUIRRELVM vm) {
    int value = 0;
    if (!read_integer(vm, 2, value))
        return SQ_ERROR;
    push_value(vm, value);
    return 1;
}

SQInteger echo_float(HSQUIRRELVM vm) {
    float value = 0;
    if (!read_float(vm, 2, value))
        return SQ_ERROR;
    push_value(vm, value);
    return 1;
}

SQInteger echo_string(HSQUIRRELVM vm) {
    SharedString value;
    if (!read_string(vm, 2, value))
        return SQ_ERROR;
    return return_string(vm, value);
}

SQInteger def_name_of(HSQUIRRELVM vm) {
    EngineObject* object = nullptr;
    if (!read_object(vm, 2, object))
        return SQ_ERROR;
    return return_string(vm, object->get_def_name());
}

// (integer, float, string) in turn with an argument reader: "i/f/s".
SQInteger read_sequence(HSQUIRRELVM vm) {
    ArgumentReader args(vm);
    int i = 0;
    float f = 0;
    SharedString s;
    if (!args.read_integer(i) || !args.read_float(f) || !args.read_string(s))
        return SQ_ERROR;
    SharedString text = message("%1/%2/%3 left %4", i, static_cast<double>(f), s, args.remaining());
    return return_string(vm, text);
}

SQInteger count_arguments(HSQUIRRELVM vm) {
    push_value(vm, sq_gettop(vm) - 1);
    return 1;
}

constexpr NativeFunction kTestFunctions[] = {
    {"echo_integer", echo_integer, 2, nullptr},    {"echo_float", echo_float, 2, nullptr},
    {"echo_string", echo_string, 2, nullptr},      {"def_name_of", def_name_of, 2, nullptr},
    {"read_sequence", read_sequence, -4, nullptr}, {"count_arguments", count_arguments, -2, ".s"},
};

class BindingTest : public ::testing::Test {
protected:
    void SetUp() override { bind_functions(root_table(vm.vm()), kTestFunctions); }

    test::LogCapture log;
    test::ScriptVm vm;
};

TEST_F(BindingTest, IntegerReaderTruncatesFloatsTowardZero) {
    EXPECT_EQ(vm.eval_integer("return echo_integer(3.9)"), 3);
    EXPECT_EQ(vm.eval_integer("return echo_integer(-3.9)"), -3);
    EXPECT_EQ(vm.eval_integer("return echo_integer(42)"), 42);
    EXPECT_EQ(vm.error_of("echo_integer(\"7\")"), "Expecting integer.");
    EXPECT_EQ(vm.error_of("echo_integer(null)"), "Expecting integer.");
}

TEST_F(BindingTest, FloatAndStringReadersRejectOtherTypes) {
    EXPECT_EQ(vm.eval_string("return echo_float(2).tostring()"), "2");
    EXPECT_EQ(vm.eval_string("return echo_float(2.5).tostring()"), "2.5");
    EXPECT_EQ(vm.error_of("echo_float(\"2\")"), "Expecting float.");
    EXPECT_EQ(vm.eval_string("return echo_string(\"abc\")"), "abc");
    EXPECT_EQ(vm.error_of("echo_string(1)"), "Expecting string.");
}

TEST_F(BindingTest, ObjectReaderNamesTheExpectedClass) {
    EXPECT_EQ(vm.error_of("def_name_of(5)"), "Expecting EngineObject");
    EXPECT_EQ(vm.error_of("def_name_of(GameObject())"), "Expecting EngineObject");
    // An instance made by the script alone has no native object.
    EXPECT_EQ(vm.error_of("def_name_of(EngineObject())"), "Expecting EngineObject");
}

TEST_F(BindingTest, ArgumentReaderAdvancesOnlyOverAcceptedArguments) {
    EXPECT_EQ(vm.eval_string("return read_sequence(1.5, 2, \"x\", null)"), "1/2/x left 1");
    EXPECT_EQ(vm.error_of("read_sequence(1, \"2\", \"x\")"), "Expecting float.");
    EXPECT_EQ(vm.error_of("read_sequence(1, 2, 3)"), "Expecting string.");
}

TEST_F(BindingTest, NegativeCountAcceptsExtraArgumentsOfAnyType) {
    EXPECT_EQ(vm.eval_integer("return count_arguments(\"a\", 1, [], {}, null)"), 5);
    EXPECT_EQ(vm.eval_integer("return count_arguments(\"a\")"), 1);
    EXPECT_NE(vm.error_of("count_arguments()"), "<no error>");
    EXPECT_NE(vm.error_of("count_arguments(1)"), "<no error>");
}

TEST_F(BindingTest, RegistrationCreatesSlotsAndKeepsTheStack) {
    HSQUIRRELVM v = vm.vm();
    SQInteger top = sq_gettop(v);
    ScriptObject table = new_table(root_table(v), "Things");
    bind_integer(table, "answer", 42);
    bind_string(table, "name", "tarn");
    bind_integer(const_table(v), "TEST_CONSTANT", 7);
    ScriptObject base = new_class(root_table(v), "Base", nullptr, &table, 0);
    new_class(root_table(v), "Derived", &base, nullptr, 0);
    EXPECT_EQ(sq_gettop(v), top);

    EXPECT_EQ(vm.eval_integer("return Things.answer"), 42);
    EXPECT_EQ(vm.eval_string("return Things.name"), "tarn");
    EXPECT_EQ(vm.eval_integer("return TEST_CONSTANT"), 7);
    EXPECT_EQ(vm.eval_integer("return (Derived() instanceof Base) ? 1 : 0"), 1);
    EXPECT_TRUE(table.same_as(vm.eval("return Things")));
}

TEST_F(BindingTest, BoundFunctionsCarryTheirNames) {
    EXPECT_EQ(vm.error_of("echo_integer(\"x\")"), "Expecting integer.");
    ScriptObject closure = vm.eval("return echo_integer");
    closure.push();
    ASSERT_TRUE(SQ_SUCCEEDED(sq_getclosurename(vm.vm(), -1)));
    const SQChar* name = nullptr;
    sq_getstring(vm.vm(), -1, &name);
    EXPECT_STREQ(name, "echo_integer");
    sq_pop(vm.vm(), 2);
}

// Writes one line per thing it hears: tables and classes with their base, functions with their
// count and mask, constants with their value, each named after the container they went into.
class HeardLog final : public BindingListener {
public:
    void container_created(const ScriptObject& container, const char* name,
                           const ScriptObject* base) override {
        names_.emplace_back(container, name);
        lines.push_back(std::string("new ") + name + (base ? " : " + name_of(*base) : ""));
    }
    void function_bound(const ScriptObject& target, const NativeFunction& f) override {
        lines.push_back(name_of(target) + "." + f.name + " " + std::to_string(f.param_count) + " " +
                        (f.type_mask ? f.type_mask : "-"));
    }
    void constant_bound(const ScriptObject& target, const char* name,
                        const std::string& value) override {
        lines.push_back(name_of(target) + "." + name + " = " + value);
    }

    std::vector<std::string> lines;

private:
    std::string name_of(const ScriptObject& object) const {
        for (const auto& [known, name] : names_) {
            if (known.same_as(object))
                return name;
        }
        return "?";
    }

    std::vector<std::pair<ScriptObject, std::string>> names_;
};

TEST_F(BindingTest, AListenerHearsWhatIsRegisteredUntilRemoved) {
    HSQUIRRELVM v = vm.vm();
    HeardLog heard;
    set_binding_listener(v, &heard);
    ScriptObject table = new_table(root_table(v), "Things");
    bind_integer(table, "answer", 42);
    bind_string(table, "name", "tarn");
    ScriptObject base = new_class(root_table(v), "Base", nullptr, nullptr, 0);
    ScriptObject derived = new_class(root_table(v), "Derived", &base, nullptr, 0);
    bind_functions(derived, kTestFunctions);
    set_binding_listener(v, nullptr);
    bind_integer(table, "unheard", 1);

    EXPECT_EQ(heard.lines, (std::vector<std::string>{
                               "new Things",
                               "Things.answer = 42",
                               "Things.name = \"tarn\"",
                               "new Base",
                               "new Derived : Base",
                               "Derived.echo_integer 2 -",
                               "Derived.echo_float 2 -",
                               "Derived.echo_string 2 -",
                               "Derived.def_name_of 2 -",
                               "Derived.read_sequence -4 -",
                               "Derived.count_arguments -2 .s",
                           }));
}

TEST(BindingDeathTest, RejectedParameterCheckAborts) {
    test::LogCapture log;
    EXPECT_EXIT(
        {
            test::ScriptVm vm;
            bind_function(root_table(vm.vm()), "broken", count_arguments, 2, ".z");
        },
        ::testing::KilledBySignal(SIGABRT), "");
    EXPECT_EQ(log.lines().back(),
              "sq_setparamscheck( m_v, num_params_check, params_typemask ) unpexpectly failed.");
}

// A class name taken twice, by a class or by a descriptor, stops the engine at start-up.
TEST(BindingDeathTest, AClassNameRegisteredTwiceAborts) {
    struct Case {
        void (*start)();
        const char* line;
    };
    const Case cases[] = {
        {[] {
             test::ScriptVm vm;
             register_class(vm.vm(), File::class_descriptor, {});
         },
         "Class 'File' is registered twice."},
        {[] {
             test::ScriptVm vm;
             new_class(root_table(vm.vm()), "Time", nullptr, nullptr, 0);
         },
         "Class 'Time' is registered twice."},
        {[] {
             ClassDescriptor twin("HTTPPost", &EngineObject::class_descriptor, nullptr, nullptr);
             test::ScriptVm vm;
         },
         "Class 'HTTPPost' is registered twice."},
    };
    for (const Case& c : cases) {
        test::LogCapture log;
        EXPECT_EXIT(c.start(), ::testing::KilledBySignal(SIGABRT), "") << c.line;
        EXPECT_EQ(log.lines().back(), c.line);
    }
}

}  // namespace
}  // namespace tarn
