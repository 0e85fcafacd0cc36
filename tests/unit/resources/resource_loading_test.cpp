#include "resources/resource_loading.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "resources/def_table.hpp"
#include "script/class_tables.hpp"
#include "support/log_capture.hpp"
#include "support/script_vm.hpp"

namespace tarn {
namespace {

using ::testing::ElementsAre;

// A resource whose definition says whether it loads: { ok = true }.
class ProbeResource : public EngineObject {
public:
    static ClassDescriptor class_descriptor;
    static int loads;

    const ClassDescriptor& descriptor() const override { return class_descriptor; }
    bool load() override {
        ++loads;
        const bool ok = DefTable(get_def()).boolean("ok", false);
        set_load_state(ok ? kLoaded : kFailed);
        return ok;
    }
};

ClassDescriptor ProbeResource::class_descriptor("ProbeResource", &EngineObject::class_descriptor,
                                                "probe_def_to_obj", "g_probe_defs", nullptr,
                                                []() -> EngineObject* {
                                                    return new ProbeResource();
                                                });
int ProbeResource::loads = 0;

class ResourceLoading : public ::testing::Test {
protected:
    void SetUp() override { ProbeResource::loads = 0; }
    ProbeResource* get(const char* name, bool fallback = true) {
        return get_or_load<ProbeResource>(vm_.vm(), name, fallback);
    }

    test::ScriptVm vm_;
    test::LogCapture log_;
};

TEST_F(ResourceLoading, SameNameGivesTheSameObjectLoadedOnce) {
    vm_.eval("g_probe_defs.wall <- { ok = true }");
    ProbeResource* first = get("wall");
    ASSERT_NE(first, nullptr);
    first->add_ref();
    EXPECT_EQ(get("wall"), first);
    EXPECT_EQ(ProbeResource::loads, 1);
    EXPECT_TRUE(first->get_def_name() == "wall");
    first->release();
}

TEST_F(ResourceLoading, MissingOrNonTableDefinitionsAreNotFound) {
    vm_.eval("g_probe_defs.number <- 5");
    EXPECT_EQ(get("missing", false), nullptr);
    EXPECT_EQ(get("number", false), nullptr);
    EXPECT_THAT(log_.lines(), ElementsAre("ProbeResource: Can't load 'missing', def not found.",
                                          "ProbeResource: Can't load 'number', def not found."));
}

TEST_F(ResourceLoading, FailedLoadsAreDestroyedSoALaterRequestTriesAgain) {
    vm_.eval("g_probe_defs.broken <- { ok = false }");
    EXPECT_EQ(get("broken", false), nullptr);
    EXPECT_EQ(cache_lookup(ProbeResource::class_descriptor, "broken"), nullptr);
    EXPECT_EQ(get("broken", false), nullptr);
    EXPECT_EQ(ProbeResource::loads, 2);
    EXPECT_THAT(log_.lines(), ElementsAre("Error: ProbeResource 'broken' failed to load.",
                                          "Error: ProbeResource 'broken' failed to load."));
}

TEST_F(ResourceLoading, PlaceholderTakesOverTheRequestedName) {
    vm_.eval("g_probe_defs._invalid_ <- { ok = true }");
    ProbeResource* placeholder = get("ghost");
    ASSERT_NE(placeholder, nullptr);
    placeholder->add_ref();
    EXPECT_TRUE(placeholder->get_def_name() == "ghost");
    EXPECT_TRUE(placeholder->get_def().is_null()) << "the name still has no definition";
    EXPECT_EQ(get("ghost"), placeholder) << "later requests get the placeholder directly";
    EXPECT_EQ(ProbeResource::loads, 1);
    EXPECT_EQ(get("ghost2", false), nullptr) << "no fallback without the flag";
    placeholder->release();
}

TEST_F(ResourceLoading, GetOrCreateSharesCachedObjectsAndDoesNotLoad) {
    vm_.eval("g_probe_defs.lazy <- { ok = true }");
    ProbeResource* created = get_or_create<ProbeResource>(vm_.vm(), "lazy");
    created->add_ref();
    EXPECT_EQ(created->load_state(), EngineObject::kNotLoaded);
    EXPECT_EQ(get_or_create<ProbeResource>(vm_.vm(), "lazy"), created);
    EXPECT_EQ(get("lazy"), created) << "loading finds the created object in the cache";
    EXPECT_EQ(created->load_state(), EngineObject::kLoaded);
    created->release();
}

}  // namespace
}  // namespace tarn
