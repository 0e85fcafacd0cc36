// GameObjects live in their instances; an owner keeps its owned objects' instances alive.
#include <gtest/gtest.h>

#include "script/game_object.hpp"
#include "support/log_capture.hpp"
#include "support/script_vm.hpp"

namespace tarn {
namespace {

class GameObjectTest : public ::testing::Test {
protected:
    test::LogCapture log;
    test::ScriptVm vm;
};

TEST_F(GameObjectTest, OwnedObjectLivesAsLongAsItsOwner) {
    vm.eval(
        "owner <- GameObject();"
        "local owned = GameObject(); owned.set_owner(owner); owned.set_owner(owner);"
        "watch <- owned.weakref();");
    sq_collectgarbage(vm.vm());
    EXPECT_EQ(vm.eval_integer("return watch != null ? 1 : 0"), 1);
    vm.eval("owner = null");
    EXPECT_EQ(vm.eval_integer("return watch == null ? 1 : 0"), 1);
}

TEST_F(GameObjectTest, LosingTheOwnerHandsTheObjectBackToTheScript) {
    vm.eval(
        "owner <- GameObject(); local owned = GameObject(); owned.set_owner(owner);"
        "watch <- owned.weakref(); owned = null; watch.set_owner(null)");
    EXPECT_EQ(vm.eval_integer("return watch == null ? 1 : 0"), 1);
}

TEST_F(GameObjectTest, ScriptClassesExtendGameObject) {
    vm.eval(
        "class Widget extends GameObject { constructor() { base.constructor(); } }"
        "class Unbuilt extends GameObject { constructor() {} }");
    EXPECT_EQ(vm.error_of("Widget().set_owner(GameObject())"), "<no error>");
    EXPECT_EQ(vm.error_of("Unbuilt().set_owner(null)"), "Expecting GameObject");
    // Building twice keeps the first object and its owner.
    vm.eval("w <- Widget(); o <- GameObject(); w.set_owner(o); GameObject.constructor.call(w)");
    ScriptObject widget = vm.eval("return w");
    widget.push();
    SQUserPointer storage = nullptr;
    sq_getinstanceup(vm.vm(), -1, &storage, nullptr);
    sq_poptop(vm.vm());
    EXPECT_NE(static_cast<GameObject*>(storage)->owner(), nullptr);
}

TEST_F(GameObjectTest, NonInstanceThisIsAScriptError) {
    EXPECT_EQ(vm.error_of("GameObject.constructor.call({})"), "Expecting GameObject");
    EXPECT_EQ(vm.error_of("GameObject.set_owner.call({}, null)"), "Expecting GameObject");
    EXPECT_EQ(vm.error_of("GameObject.set_owner.call(EngineObject(), null)"),
              "Expecting GameObject");
}

TEST_F(GameObjectTest, WeakReferencesClearWhenTheInstanceDies) {
    ScriptObject instance = vm.eval("return GameObject()");
    instance.push();
    SQUserPointer storage = nullptr;
    sq_getinstanceup(vm.vm(), -1, &storage, nullptr);
    sq_poptop(vm.vm());
    WeakObjectRef<GameObject> weak(static_cast<GameObject*>(storage));
    EXPECT_NE(weak.get(), nullptr);
    instance.reset();
    EXPECT_EQ(weak.get(), nullptr);
}

}  // namespace
}  // namespace tarn
