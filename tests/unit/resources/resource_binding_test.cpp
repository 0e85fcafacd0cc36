// The resource-binding kit as scripts see it, run alike over every class that uses it.
#include "script/resource_binding.hpp"

#include <gtest/gtest.h>

#include <string>

#include "app/singletons.hpp"
#include "core/message.hpp"
#include "resources/font_script.hpp"
#include "resources/sprite_script.hpp"
#include "resources/texture_script.hpp"
#include "script/binding.hpp"
#include "support/log_capture.hpp"
#include "support/script_vm.hpp"

namespace tarn {
namespace {

// Native functions that read one argument with a resource reader and return its def name, or
// "null".
template <typename T, bool (*read)(ArgumentReader&, ObjectRef<T>&)>
SQInteger name_read_by(HSQUIRRELVM vm) {
    ArgumentReader args(vm);
    ObjectRef<T> object;
    if (!read(args, object))
        return SQ_ERROR;
    push_value(vm, object ? object->get_def_name() : SharedString("null"));
    return 1;
}

constexpr NativeFunction kReaders[] = {
    {"texture_or_name", name_read_by<Texture, read_texture_or_name>, 2, nullptr},
    {"sprite_or_name", name_read_by<Sprite, read_sprite_or_name>, 2, nullptr},
    {"sprite_name_or_null", name_read_by<Sprite, read_sprite_name_or_null>, 2, nullptr},
    {"font_or_name", name_read_by<Font, read_font_or_name>, 2, nullptr},
};

class ResourceBindingTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        static const bool created = (create_singletons(), true);
        (void)created;
    }

    void SetUp() override {
        bind_functions(root_table(vm_.vm()), kReaders);
        vm_.eval(
            "g_texture_defs.nothing <- { _special_ = \"_null_\" };"
            "g_sprite_defs.nothing <- { texture = \"nothing\" };");
    }

    // What the body returns with C standing for the class, as text ("null" for null), or the
    // error it raises.
    std::string result_of(const char* cls, const std::string& body) {
        return vm_.eval_string(
            std::string("local C = ::") + cls + "; try { local r = (function() {" + body +
            "})(); return r == null ? \"null\" : r.tostring(); }" + " catch (e) { return e; }");
    }

    test::LogCapture log_;
    test::ScriptVm vm_;
};

TEST_F(ResourceBindingTest, ConstructorAndCreateBehaveAlikeForEveryClass) {
    struct Case {
        const char* body;
        const char* result;  // %1 stands for the class name
    };
    const Case cases[] = {
        {"return C().get_def()", "null"},
        {"return C() instanceof EngineObject", "true"},
        {"return C.create().get_def_name()", ""},
        {"return C.create(\"wall\").get_def_name()", "wall"},
        {"local a = C.create(\"wall\"); return a == C.create(\"wall\")", "true"},
        {"local o = C(); o.set_def(\"late\"); return C.create(\"late\") == o", "true"},
        {"local d = {}; return C.create(d) == C.create(d)", "false"},
        {"return C.create({ a = 1 }).get_def().a", "1"},
        {"return C.create(\"a\", \"b\")", "Invalid number of arguments to create()."},
        {"local o = C.create(\"kept\"); C.constructor.call(o); return o.get_def_name()", "kept"},
        {"return C.constructor.call(File())", "Expecting %1"},
        {"return C.instance().get_def_name()", "Expecting EngineObject"},
    };
    for (const char* cls : {"Texture", "Sprite", "Font", "Emitter2dResource"}) {
        for (const Case& c : cases) {
            EXPECT_EQ(result_of(cls, c.body), message(c.result, cls).data())
                << cls << ": " << c.body;
        }
    }
}

TEST_F(ResourceBindingTest, ClassesKeepTheirOwnCaches) {
    EXPECT_EQ(result_of("Texture",
                        "local t = Texture.create(\"both\"); local f = Font.create(\"both\");"
                        " return Sprite.create(\"both\") != t && Texture.find(\"both\") == t"
                        " && Font.find(\"both\") == f && f != t && Font.find(\"x\") == null"),
              "true");
    EXPECT_EQ(result_of("Texture", "return Texture.load.call(Texture.instance())"),
              "Expecting Texture");
    EXPECT_EQ(result_of("Texture", "return Texture.load.call(Sprite.create(\"nothing\"))"),
              "Expecting Texture");
}

TEST_F(ResourceBindingTest, ReadersTakeNamesInstancesAndNullOfTheirClassOnly) {
    struct Reader {
        const char* function;
        const char* cls;
        const char* expecting;
    };
    const Reader readers[] = {
        {"texture_or_name", "Texture", "Expecting texture, texture name or null."},
        {"sprite_or_name", "Sprite", "Expecting sprite, sprite name or null."},
        {"sprite_name_or_null", "Sprite", "Expecting sprite name or null."},
        {"font_or_name", "Font", "Expecting font, font name or null."},
    };
    struct Case {
        const char* argument;
        const char* result;  // empty: the reader's error
    };
    const Case cases[] = {
        {"null", "null"},
        {"\"nothing\"", "nothing"},
        {"C.create(\"nothing\")", "nothing"},
        {"C.instance()", "null"},
        {"Time(1)", "null"},
        {"EngineObject()", "null"},
        {"5", ""},
        {"{}", ""},
    };
    for (const Reader& r : readers) {
        for (const Case& c : cases) {
            const std::string body = std::string("return ") + r.function + "(" + c.argument + ")";
            EXPECT_EQ(result_of(r.cls, body), *c.result != '\0' ? c.result : r.expecting)
                << r.function << "(" << c.argument << ")";
        }
    }
}

}  // namespace
}  // namespace tarn
