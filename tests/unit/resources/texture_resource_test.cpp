#include "resources/texture.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/singletons.hpp"
#include "resources/resource_loading.hpp"
#include "resources/texture_memory.hpp"
#include "resources/texture_script.hpp"
#include "script/binding.hpp"
#include "support/log_capture.hpp"
#include "support/script_vm.hpp"

// Parts of the texture resource that need no GL context: the texture list, the "_null_"
// built-in, the "_invalid_" placeholder and the texture argument reader.
namespace tarn {
namespace {

using ::testing::ElementsAre;

std::vector<Texture*> texture_list() {
    std::vector<Texture*> result;
    for (Texture* t = first_texture(); t != nullptr; t = t->next())
        result.push_back(t);
    return result;
}

class TextureResourceTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        static const bool created = (create_singletons(), true);
        (void)created;
    }

    Texture* load(const char* name, bool fallback = true) {
        return get_or_load<Texture>(vm_.vm(), name, fallback);
    }

    test::ScriptVm vm_;
};

TEST_F(TextureResourceTest, TexturesJoinTheListInOrderAndLeaveIt) {
    const std::vector<Texture*> before = texture_list();
    ObjectRef<Texture> a(new Texture);
    ObjectRef<Texture> b(new Texture);
    ObjectRef<Texture> c(new Texture);
    std::vector<Texture*> expected = before;
    expected.insert(expected.end(), {a.get(), b.get(), c.get()});
    EXPECT_EQ(texture_list(), expected);

    b.reset();  // from the middle
    expected.erase(expected.end() - 2);
    EXPECT_EQ(texture_list(), expected);
    c.reset();  // the tail
    expected.pop_back();
    EXPECT_EQ(texture_list(), expected);
    ObjectRef<Texture> d(new Texture);  // joins after the new tail
    expected.push_back(d.get());
    EXPECT_EQ(texture_list(), expected);
    EXPECT_EQ(d->prev(), a.get());
}

TEST_F(TextureResourceTest, NullTextureLoadsWithoutAGlTexture) {
    vm_.eval("g_texture_defs.nothing <- { _special_ = \"_null_\" }");
    ObjectRef<Texture> t(load("nothing"));
    ASSERT_TRUE(t);
    EXPECT_EQ(t->load_state(), EngineObject::kLoaded);
    EXPECT_EQ(t->gl_name(), 0u);
    EXPECT_EQ(t->flags(), 0x46u);
    EXPECT_TRUE(t->is_null());
    EXPECT_EQ(t->width(), 0);
    EXPECT_EQ(t->image_height(), 0);
    EXPECT_FLOAT_EQ(t->inv_width(), 1.0f);
    EXPECT_EQ(t->memory_bytes(), 0);
}

TEST_F(TextureResourceTest, InvalidPlaceholderAnswersForAMissingName) {
    vm_.eval("g_texture_defs._invalid_ <- { _special_ = \"_null_\" }");
    test::LogCapture log;
    ObjectRef<Texture> t(load("wall"));
    ASSERT_TRUE(t);
    EXPECT_TRUE(t->is_null());
    EXPECT_STREQ(t->get_def_name().data(), "wall");
    EXPECT_EQ(load("wall"), t.get());  // later requests get the placeholder directly
    EXPECT_EQ(load("floor", false), nullptr);
    EXPECT_THAT(log.lines(), ElementsAre("Texture: Can't load 'wall', def not found.",
                                         "Texture: Can't load 'floor', def not found."));
}

TEST_F(TextureResourceTest, MemoryCountsOnlyLoadedTexturesAndForgetUnloads) {
    vm_.eval("g_texture_defs.nothing <- { _special_ = \"_null_\" }");
    ObjectRef<Texture> never(new Texture);
    ObjectRef<Texture> t(load("nothing"));
    ASSERT_TRUE(t);
    EXPECT_EQ(loaded_texture_memory(), 0);

    forget_textures();
    EXPECT_EQ(t->load_state(), EngineObject::kNotLoaded);
    EXPECT_EQ(t->flags() & kTextureNull, kTextureNull);  // kept until the next load

    never->set_def_name(vm_.vm(), "nothing_either");
    test::LogCapture log;
    load_pending_textures();
    EXPECT_EQ(t->load_state(), EngineObject::kLoaded);
    EXPECT_EQ(never->load_state(), EngineObject::kFailed);
    EXPECT_THAT(log.lines(), ElementsAre("No def for texture 'nothing_either'.",
                                         "Unable to load texture 'nothing_either'.",
                                         "Error: Texture 'nothing_either' failed to load."));
}

// A native function that reads one texture argument and returns its def name, or "null".
SQInteger texture_name_of(HSQUIRRELVM vm) {
    ArgumentReader args(vm);
    ObjectRef<Texture> texture;
    if (!read_texture_or_name(args, texture))
        return SQ_ERROR;
    push_value(vm, texture ? texture->get_def_name() : SharedString("null"));
    return 1;
}

TEST_F(TextureResourceTest, TextureArgumentTakesATextureANameOrNull) {
    bind_function(root_table(vm_.vm()), "texture_name_of", texture_name_of, 2, nullptr);
    EXPECT_EQ(vm_.eval_string("return texture_name_of(\"wall\")"), "wall");
    EXPECT_EQ(vm_.eval_string("return texture_name_of(Texture.create(\"floor\"))"), "floor");
    EXPECT_EQ(vm_.eval_string("return texture_name_of(null)"), "null");
    EXPECT_EQ(vm_.eval_string("return texture_name_of(File())"), "null");
    EXPECT_EQ(vm_.error_of("texture_name_of(5)"), "Expecting texture, texture name or null.");
    EXPECT_EQ(vm_.error_of("texture_name_of([])"), "Expecting texture, texture name or null.");
    // A name makes (but does not load) the shared texture of that name.
    EXPECT_EQ(vm_.eval_integer("local t = Texture.create(\"stone\");"
                               " return texture_name_of(\"stone\") == \"stone\""
                               " && Texture.find(\"stone\") == t ? 1 : 0"),
              1);
}

}  // namespace
}  // namespace tarn
