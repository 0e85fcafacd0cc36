#include "script/class_descriptor.hpp"

#include <cstring>

#include "core/fatal.hpp"
#include "core/message.hpp"
#include "script/engine_object.hpp"

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

// Classes whose native code comes later or never, declared here so that their definition and
// cache tables exist for scripts. A class that gains native code moves its entry to its own
// source file as that class's descriptor.
namespace tarn {

namespace {

ClassDescriptor resource_object_class("ResourceObject", nullptr, nullptr, nullptr);
extern ClassDescriptor material_class;
ClassGroup material_tables{
    &material_class, "material", "g_material_defs", "material_instances", {}, {}, nullptr};
ClassDescriptor material_class("Material", &resource_object_class, nullptr, nullptr,
                               &material_tables);
ClassDescriptor pyx_material_class("PyxMaterial", &material_class, nullptr, nullptr,
                                   &material_tables);

ClassDescriptor curve_class("Curve", &EngineObject::class_descriptor, "curve_def_to_obj",
                            "g_curve_defs");
ClassDescriptor sound_class("Sound", &EngineObject::class_descriptor, "sound_to_obj",
                            "g_sound_defs");

// No native code in this engine: only their tables are created.
ClassDescriptor mesh_class("MeshResource", nullptr, "mesh_resource_def_to_obj",
                           "g_mesh_resource_defs");
ClassDescriptor model_class("ModelResource", nullptr, "model_def_to_obj", "g_model_defs");
ClassDescriptor anim_class("AnimResource", nullptr, "anim_resource_def_to_obj",
                           "g_anim_resource_defs");
ClassDescriptor rigid_body_class("PhysicsRigidBodyResource", nullptr,
                                 "physics_rigid_body_def_to_obj", "g_physics_rigid_body_defs");

}  // namespace

ClassGroup& material_group() {
    return material_tables;
}

}  // namespace tarn
