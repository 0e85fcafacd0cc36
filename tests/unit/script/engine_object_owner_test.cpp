// Owners hold one reference on each owned object; weak references die with their object.
#include <gtest/gtest.h>

#include "script/binding.hpp"
#include "support/log_capture.hpp"
#include "support/probe_object.hpp"
#include "support/script_vm.hpp"

namespace tarn {
namespace {

using test::ProbeObject;

SQInteger new_probe(HSQUIRRELVM vm) {
    static bool ignored = false;
    push_object(vm, new ProbeObject(&ignored));
    return 1;
}

TEST(EngineObjectOwnerTest, SettingTheSameOwnerOrNoOwnerTwiceChangesNothing) {
    bool destroyed = false;
    ObjectRef<EngineObject> owner(new EngineObject);
    ObjectRef<ProbeObject> object(new ProbeObject(&destroyed));
    object->set_owner(nullptr);
    EXPECT_EQ(object->ref_count(), 1);
    object->set_owner(owner.get());
    object->set_owner(owner.get());
    EXPECT_EQ(object->ref_count(), 2);
    EXPECT_EQ(owner->first_owned(), object.get());
    EXPECT_EQ(object->next_owned(), nullptr);
    object->set_owner(nullptr);
    EXPECT_EQ(object->ref_count(), 1);
    EXPECT_EQ(owner->first_owned(), nullptr);
}

TEST(EngineObjectOwnerTest, MovingBetweenOwnersKeepsTheCountAndAppends) {
    ObjectRef<EngineObject> first(new EngineObject);
    ObjectRef<EngineObject> second(new EngineObject);
    ObjectRef<EngineObject> a(new EngineObject);
    ObjectRef<EngineObject> b(new EngineObject);
    b->set_owner(second.get());
    a->set_owner(first.get());
    a->set_owner(second.get());
    EXPECT_EQ(a->ref_count(), 2);
    EXPECT_EQ(first->first_owned(), nullptr);
    EXPECT_EQ(second->first_owned(), b.get());
    EXPECT_EQ(b->next_owned(), a.get());
    EXPECT_EQ(a->owner(), second.get());
}

TEST(EngineObjectOwnerTest, DestroyingTheOwnerDeletesObjectsItAloneHeld) {
    bool owned_destroyed = false;
    bool kept_destroyed = false;
    ObjectRef<EngineObject> owner(new EngineObject);
    (new ProbeObject(&owned_destroyed))->set_owner(owner.get());
    ObjectRef<ProbeObject> kept(new ProbeObject(&kept_destroyed));
    kept->set_owner(owner.get());
    owner.reset();
    EXPECT_TRUE(owned_destroyed);
    EXPECT_FALSE(kept_destroyed);
    EXPECT_EQ(kept->owner(), nullptr);
    EXPECT_EQ(kept->ref_count(), 1);
}

TEST(EngineObjectOwnerTest, WeakReferencesBecomeNullWhenTheObjectDies) {
    bool destroyed = false;
    auto* object = new ProbeObject(&destroyed);
    WeakObjectRef<ProbeObject> weak(object);
    WeakObjectRef<ProbeObject> copy(weak);
    {
        ObjectRef<ProbeObject> strong(object);
        EXPECT_EQ(weak.get(), object);
    }
    EXPECT_TRUE(destroyed);
    EXPECT_EQ(weak.get(), nullptr);
    EXPECT_EQ(copy.get(), nullptr);
}

class EngineObjectOwnerScriptTest : public ::testing::Test {
protected:
    void SetUp() override { bind_function(root_table(vm.vm()), "new_probe", new_probe, 1, "."); }

    test::LogCapture log;
    test::ScriptVm vm;
};

TEST_F(EngineObjectOwnerScriptTest, OwnedInstanceIsHandedToTheScript) {
    vm.eval("owner <- new_probe(); owned <- new_probe(); owned.set_owner(owner)");
    EXPECT_EQ(vm.eval_integer("return owned.get_owner() == owner ? 1 : 0"), 1);
    EXPECT_EQ(vm.eval_integer("return owner.get_owner() == null ? 1 : 0"), 1);
    // The owner dies with its instance; the owned object stays with the script.
    vm.eval("owner = null");
    EXPECT_EQ(vm.eval_integer("return owned.get_owner() == null ? 1 : 0"), 1);
    vm.eval("owned.set_owner(5)");
    EXPECT_EQ(vm.eval_integer("return owned.get_owner() == null ? 1 : 0"), 1);
}

TEST_F(EngineObjectOwnerScriptTest, MethodsRejectOtherThis) {
    EXPECT_EQ(vm.error_of("EngineObject.set_owner.call(GameObject(), null)"), "Expecting T");
    EXPECT_EQ(vm.error_of("EngineObject.get_owner.call(GameObject())"), "Expecting T");
    EXPECT_EQ(vm.error_of("EngineObject.get_def.call(GameObject())"), "Expecting EngineObject");
    EXPECT_NE(vm.error_of("EngineObject.get_def_name.call({})"), "<no error>");
}

}  // namespace
}  // namespace tarn
