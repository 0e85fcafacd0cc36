#include "script/class_descriptor.hpp"

#include <cstring>

#include "core/fatal.hpp"
#include "core/message.hpp"

namespace tarn {

namespace {

// Constant-initialised, so descriptors of any translation unit may link in during dynamic
// initialisation.
constinit ClassDescriptor* descriptor_list = nullptr;

}  // namespace

ClassDescriptor::ClassDescriptor(const char* name, ClassDescriptor* parent,
                                 const char* def_to_obj_name, const char* defs_name,
                                 ClassGroup* group, Factory factory)
    : name(name),
      parent(parent),
      def_to_obj_name(def_to_obj_name),
      defs_name(defs_name),
      group(group),
      factory(factory),
      next(descriptor_list) {
    descriptor_list = this;
}

bool ClassDescriptor::is_a(const ClassDescriptor& cls) const {
    for (const ClassDescriptor* d = this; d != nullptr; d = d->parent) {
        if (d == &cls)
            return true;
    }
    return false;
}

ClassDescriptor* first_class_descriptor() {
    return descriptor_list;
}

ClassDescriptor* find_class_descriptor(const char* name) {
    for (ClassDescriptor* d = descriptor_list; d != nullptr; d = d->next) {
        if (std::strcmp(d->name, name) == 0)
            return d;
    }
    return nullptr;
}

void fatal_duplicate_class(const char* name) {
    fatal_internal_error(message("Class '%1' is registered twice.", name));
}

}  // namespace tarn

// Classes without native code in this engine, declared here so that their definition and cache
// tables exist for scripts.
namespace tarn {

namespace {

ClassDescriptor mesh_class("MeshResource", nullptr, "mesh_resource_def_to_obj",
                           "g_mesh_resource_defs");
ClassDescriptor model_class("ModelResource", nullptr, "model_def_to_obj", "g_model_defs");
ClassDescriptor anim_class("AnimResource", nullptr, "anim_resource_def_to_obj",
                           "g_anim_resource_defs");
ClassDescriptor rigid_body_class("PhysicsRigidBodyResource", nullptr,
                                 "physics_rigid_body_def_to_obj", "g_physics_rigid_body_defs");

}  // namespace

}  // namespace tarn
