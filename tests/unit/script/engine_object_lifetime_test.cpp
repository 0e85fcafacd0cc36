// How native references, script instances and the persistent flag decide an object's life.
#include <gtest/gtest.h>

#include "script/binding.hpp"
#include "support/log_capture.hpp"
#include "support/probe_object.hpp"
#include "support/script_vm.hpp"

namespace tarn {
namespace {

using test::ProbeObject;

class EngineObjectLifetimeTest : public ::testing::Test {
protected:
    // Stores object's instance in the root table slot name.
    void hand_to_script(EngineObject* object, const char* name) {
        HSQUIRRELVM v = vm.vm();
        sq_pushroottable(v);
        sq_pushstring(v, name, -1);
        push_object(v, object);
        sq_newslot(v, -3, SQFalse);
        sq_poptop(v);
    }

    test::LogCapture log;
    bool destroyed = false;
    test::ScriptVm vm;
};

TEST_F(EngineObjectLifetimeTest, PushingTwiceGivesTheSameInstance) {
    ObjectRef<ProbeObject> object(new ProbeObject(&destroyed));
    push_object(vm.vm(), object.get());
    ScriptObject first(vm.vm(), -1);
    push_object(vm.vm(), object.get());
    ScriptObject second(vm.vm(), -1);
    sq_pop(vm.vm(), 2);
    EXPECT_EQ(first.type(), OT_INSTANCE);
    EXPECT_TRUE(first.same_as(second));
    hand_to_script(object.get(), "a");
    hand_to_script(object.get(), "b");
    EXPECT_EQ(vm.eval_integer("return a == b ? 1 : 0"), 1);
}

TEST_F(EngineObjectLifetimeTest, ScriptInstanceKeepsADroppedObjectUntilCollected) {
    ObjectRef<ProbeObject> object(new ProbeObject(&destroyed));
    hand_to_script(object.get(), "held");
    object.reset();
    EXPECT_FALSE(destroyed);
    EXPECT_EQ(vm.eval_string("return held.get_def_name()"), "");
    vm.eval("held = null");
    EXPECT_TRUE(destroyed);
}

TEST_F(EngineObjectLifetimeTest, NativeReferenceKeepsTheInstanceAlive) {
    auto* raw = new ProbeObject(&destroyed);
    ObjectRef<ProbeObject> object(raw);
    hand_to_script(raw, "held");
    vm.eval("held.set_def(\"kept\"); held = null");
    sq_collectgarbage(vm.vm());
    EXPECT_FALSE(destroyed);
    ASSERT_TRUE(raw->has_instance());
    hand_to_script(raw, "again");
    EXPECT_EQ(vm.eval_string("return again.get_def_name()"), "kept");
    object.reset();
    EXPECT_FALSE(destroyed);
    vm.eval("again = null");
    EXPECT_TRUE(destroyed);
}

TEST_F(EngineObjectLifetimeTest, PersistentObjectOutlivesItsInstanceAndGetsANewOne) {
    auto* raw = new ProbeObject(&destroyed);
    raw->set_persistent(true);
    hand_to_script(raw, "held");
    vm.eval("held = null");
    EXPECT_FALSE(destroyed);
    EXPECT_FALSE(raw->has_instance());
    hand_to_script(raw, "renewed");
    EXPECT_TRUE(raw->has_instance());
    raw->set_persistent(false);
    vm.eval("renewed = null");
    EXPECT_TRUE(destroyed);
}

TEST_F(EngineObjectLifetimeTest, LastReleaseWithoutInstanceDestroysUnlessPersistent) {
    { ObjectRef<ProbeObject> ref(new ProbeObject(&destroyed)); }
    EXPECT_TRUE(destroyed);

    bool kept_destroyed = false;
    auto* kept = new ProbeObject(&kept_destroyed);
    kept->set_persistent(true);
    { ObjectRef<ProbeObject> ref(kept); }
    EXPECT_FALSE(kept_destroyed);
    EXPECT_EQ(kept->ref_count(), 0);
    kept->destroy();
    EXPECT_TRUE(kept_destroyed);
}

TEST_F(EngineObjectLifetimeTest, DestroyingAnObjectUnbindsItsInstance) {
    auto* raw = new ProbeObject(&destroyed);
    hand_to_script(raw, "held");
    raw->destroy();
    EXPECT_EQ(vm.error_of("held.get_def_name()"), "Expecting EngineObject");
}

TEST_F(EngineObjectLifetimeTest, AttachBindsAScriptMadeInstance) {
    ObjectRef<ProbeObject> object(new ProbeObject(&destroyed));
    ScriptObject instance = vm.eval("return EngineObject()");
    instance.push();
    attach(vm.vm(), -1, object.get());
    sq_poptop(vm.vm());
    EXPECT_TRUE(object->has_instance());
    push_object(vm.vm(), object.get());
    EXPECT_TRUE(instance.same_as(ScriptObject(vm.vm(), -1)));
    sq_poptop(vm.vm());
    instance.reset();
    object.reset();
    EXPECT_TRUE(destroyed);
}

}  // namespace
}  // namespace tarn
