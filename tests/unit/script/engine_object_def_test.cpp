// Defs, the per-class object cache and definition tables, and the load procedure.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "resources/material.hpp"
#include "script/binding.hpp"
#include "script/class_tables.hpp"
#include "support/log_capture.hpp"
#include "support/probe_object.hpp"
#include "support/script_vm.hpp"

namespace tarn {
namespace {

ClassDescriptor test_resource_class("TestResource", &EngineObject::class_descriptor,
                                    "test_resource_def_to_obj", "g_test_resource_defs");

// A resource whose load fails or succeeds as told, counting the attempts.
class TestResource : public EngineObject {
public:
    const ClassDescriptor& descriptor() const override { return test_resource_class; }
    bool load() override {
        ++loads;
        set_load_state(succeed ? kLoaded : kFailed);
        return succeed;
    }

    bool succeed = true;
    int loads = 0;
};

class EngineObjectDefTest : public ::testing::Test {
protected:
    ScriptObject text(const char* value) {
        sq_pushstring(vm.vm(), value, -1);
        ScriptObject result(vm.vm(), -1);
        sq_poptop(vm.vm());
        return result;
    }

    test::LogCapture log;
    bool destroyed = false;
    test::ScriptVm vm;
};

TEST_F(EngineObjectDefTest, TableDefHasNoNameAndIsItsOwnDefinition) {
    ObjectRef<TestResource> object(new TestResource);
    ScriptObject table = vm.eval("return { size = 3 }");
    object->set_def(table);
    EXPECT_EQ(object->get_def_name(), "");
    EXPECT_TRUE(object->get_def().same_as(table));

    push_object(vm.vm(), new test::ProbeObject(&destroyed));
    ScriptObject instance(vm.vm(), -1);
    sq_poptop(vm.vm());
    sq_pushroottable(vm.vm());
    sq_pushstring(vm.vm(), "probe", -1);
    instance.push();
    sq_newslot(vm.vm(), -3, SQFalse);
    sq_poptop(vm.vm());
    vm.eval("local def = { a = 1 }; probe.set_def(def); ::same <- probe.get_def() == def");
    EXPECT_EQ(vm.eval_string("return probe.get_def_name()"), "");
    EXPECT_EQ(vm.eval_integer("return same ? 1 : 0"), 1);
}

TEST_F(EngineObjectDefTest, NamedDefEntersTheCacheAndFindsItsDefinition) {
    vm.eval("g_test_resource_defs.hero <- { speed = 5 }; g_test_resource_defs.bad <- 3");
    ObjectRef<TestResource> object(new TestResource);
    object->set_def_name(vm.vm(), "hero");
    EXPECT_EQ(object->get_def_name(), "hero");
    EXPECT_EQ(cache_lookup(test_resource_class, "hero"), object.get());
    ScriptObject def = object->get_def();
    ASSERT_EQ(def.type(), OT_TABLE);
    EXPECT_TRUE(def.same_as(find_def(test_resource_class, "hero")));
    EXPECT_TRUE(find_def(test_resource_class, "bad").is_null());
    EXPECT_TRUE(has_def(test_resource_class, "bad"));
    EXPECT_FALSE(has_def(test_resource_class, "none"));

    object->set_def_name(vm.vm(), "none");
    EXPECT_EQ(cache_lookup(test_resource_class, "hero"), nullptr);
    EXPECT_TRUE(object->get_def().is_null());
}

TEST_F(EngineObjectDefTest, CacheEntryTakenOverByAnotherObjectIsNeverRemoved) {
    ObjectRef<TestResource> first(new TestResource);
    ObjectRef<TestResource> second(new TestResource);
    first->set_def(text("shared"));
    second->set_def(text("shared"));
    first->set_def(text("other"));
    EXPECT_EQ(cache_lookup(test_resource_class, "shared"), second.get());
    first.reset();
    EXPECT_EQ(cache_lookup(test_resource_class, "other"), nullptr);
    EXPECT_EQ(cache_lookup(test_resource_class, "shared"), second.get());
    second.reset();
    EXPECT_EQ(cache_lookup(test_resource_class, "shared"), nullptr);
}

TEST_F(EngineObjectDefTest, NewDefWarnsWhenOverriding) {
    ScriptObject def = new_def(test_resource_class, "tex");
    EXPECT_TRUE(def.same_as(find_def(test_resource_class, "tex")));
    EXPECT_TRUE(log.lines().empty() || log.lines().back() != "Overriding TestResource def 'tex'.");
    ScriptObject replaced = new_def(test_resource_class, "tex");
    EXPECT_EQ(log.lines().back(), "Overriding TestResource def 'tex'.");
    EXPECT_FALSE(replaced.same_as(def));
    EXPECT_TRUE(replaced.same_as(find_def(test_resource_class, "tex")));
}

TEST_F(EngineObjectDefTest, FailedLoadIsLoggedOnceAndNeverRetried) {
    ObjectRef<TestResource> object(new TestResource);
    object->succeed = false;
    object->set_def(text("broken"));
    EXPECT_FALSE(object->ensure_loaded());
    EXPECT_EQ(log.lines().back(), "Error: TestResource 'broken' failed to load.");
    EXPECT_FALSE(object->ensure_loaded());
    EXPECT_EQ(object->loads, 1);
    EXPECT_EQ(object->load_state(), EngineObject::kFailed);

    ObjectRef<TestResource> good(new TestResource);
    EXPECT_TRUE(good->ensure_loaded());
    EXPECT_TRUE(good->ensure_loaded());
    EXPECT_EQ(good->loads, 1);
}

TEST_F(EngineObjectDefTest, ClassTablesExistForEveryDescriptor) {
    std::set<std::string> names;
    for (ClassDescriptor* cls = first_class_descriptor(); cls != nullptr; cls = cls->next) {
        EXPECT_TRUE(names.insert(cls->name).second) << "duplicate class " << cls->name;
        EXPECT_EQ(cls->defs.is_null(), cls->defs_name == nullptr) << cls->name;
        EXPECT_EQ(cls->def_to_obj.is_null(), cls->def_to_obj_name == nullptr) << cls->name;
    }
    EXPECT_EQ(vm.eval_string("return typeof g_mesh_resource_defs"), "table");
    EXPECT_EQ(vm.eval_string("return typeof g_sprite_defs"), "table");
    EXPECT_EQ(vm.eval_integer("return (\"sprite2_def_to_obj\" in getroottable()) ? 1 : 0"), 0);
}

TEST_F(EngineObjectDefTest, MaterialClassesShareTheGroupTables) {
    ClassDescriptor* material = find_class_descriptor("Material");
    ClassDescriptor* pyx = find_class_descriptor("PyxMaterial");
    ASSERT_NE(material, nullptr);
    ASSERT_NE(pyx, nullptr);
    EXPECT_STREQ(pyx->defs_name, "g_material_defs");
    EXPECT_STREQ(material->def_to_obj_name, "material_instances");
    EXPECT_TRUE(material->defs.same_as(pyx->defs));
    EXPECT_TRUE(material->def_to_obj.same_as(pyx->def_to_obj));
    EXPECT_TRUE(material->defs.same_as(vm.eval("return g_material_defs")));
    int members = 0;
    for (ClassDescriptor* m = material_group().first_member; m != nullptr; m = m->group_next) {
        ++members;
    }
    EXPECT_EQ(members, 2);
}

}  // namespace
}  // namespace tarn
