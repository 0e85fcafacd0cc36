#pragma once

#include <squirrel.h>

#include <cstdint>
#include <vector>

#include "render/matrix4.hpp"
#include "script/game_object.hpp"
#include "script/vector_math.hpp"
#include "ui/widget_ref.hpp"

namespace tarn {

class UI;
class UIBatch;
struct CameraRay;

// The base of every user-interface element: a frame (position and size in the parent's units)
// in a tree of widgets under a UI. It owns its children, builds its world transform from its
// parent's (or its UI's canvas), answers hit tests against a ray, stretches its children when
// its own size changes, and hands key, update, layout and hover events to script methods of the
// same names, falling back to the native operations when the script does not define them.
//
// Widgets live inside their script instances (GameObject). A subclass (UILabel, UISprite) has
// its own descriptor and script class reserving sizeof(subclass) bytes, and its script
// constructor calls construct_widget<Subclass>.
class UIWidget : public GameObject {
public:
    enum Flag : std::uint32_t {
        kHidden = 0x4,
        kDisabled = 0x8,
        kVoid = 0x10,
        kTransformValid = 0x20,
        kFlexLeft = 0x10000,
        kFlexWidth = 0x20000,
        kFlexRight = 0x40000,
        kFlexTop = 0x80000,
        kFlexHeight = 0x100000,
        kFlexBottom = 0x200000,
        kFlexAll = 0x3F0000,
    };

    static ClassDescriptor class_descriptor;

    UIWidget(HSQUIRRELVM vm, const HSQOBJECT& instance) : GameObject(vm, instance) {}
    ~UIWidget() override;
    const ClassDescriptor& descriptor() const override { return class_descriptor; }

    // The overridable operations. init_from_table reads the keys of the table at a stack index
    // (a null value has none); false when it raised a script error.
    virtual bool init_from_table(HSQUIRRELVM vm, SQInteger index);
    virtual bool contains_local_point(const Vec2& point) const;
    // Draws in local units through the owner UI's batch (loading world_matrix() first).
    virtual void draw(UIBatch& batch);
    virtual void on_key_down(int key);
    virtual void on_key_up(int key);
    virtual void on_update(float dt);
    // The script method "layout_self" when defined, else autoresize_child_widgets. False when the
    // script raised an error.
    virtual bool layout_self();

    // Engine-to-script delivery: the script method of the name when defined, else the native
    // operation. False when the script raised an error (left as the VM's last error).
    bool deliver_key_down(int key);
    bool deliver_key_up(int key);
    bool deliver_update(float dt);
    bool deliver_hovered(int pointer, bool entering);

    // Children: add appends (re-parenting when needed); remove logs "Ups, invalid child
    // widget." and returns false for a widget that is not a child.
    void add_widget(UIWidget& child);
    bool remove_child_widget(UIWidget& child);
    UIWidget* parent() const { return parent_; }
    const std::vector<InstanceRef<UIWidget>>& children() const { return children_; }

    // The owner UI of this widget and its subtree (non-owning).
    UI* owner_ui() const { return owner_ui_; }
    void set_owner_ui(UI* ui);
    // The owner UI's batch, or null outside a UI.
    UIBatch* batch() const;

    std::uint32_t flags() const { return flags_; }
    bool has_flag(std::uint32_t flag) const { return (flags_ & flag) != 0; }
    void set_flag(std::uint32_t flag, bool on);
    // DISABLED on this widget or an ancestor.
    bool is_disabled() const;

    const Vec2& frame_position() const { return position_; }
    const Vec2& frame_size() const { return size_; }
    const Vec2& reference_size() const { return reference_size_; }
    const Vec4& attach_frame() const { return attach_frame_; }
    void set_frame_position(const Vec2& position);
    // Resizes; a changed size invalidates and runs layout_self. False on a script error.
    bool set_frame_size(const Vec2& size);
    // Reference size and frame size at once, without layout.
    void init_frame_size(const Vec2& size);
    void init_frame_size_from_child_widgets();
    // The default layout: stretches the children by their flex bits.
    bool autoresize_child_widgets();

    const Vec2& ideal_size() const { return ideal_size_; }
    void set_ideal_size(const Vec2& size) { ideal_size_ = size; }
    const Vec4& color() const { return color_; }
    void set_color(const Vec4& color) { color_ = color; }

    // The world transform, rebuilt when TRANSFORM_VALID is clear.
    void ensure_transform();
    const Matrix4& world_matrix() {
        ensure_transform();
        return world_;
    }
    // Clears TRANSFORM_VALID here and on the valid part of the subtree.
    void invalidate_transform();

    // The topmost widget of this subtree under a ray in the world matrix's target space.
    UIWidget* hit_test(const CameraRay& ray);
    // Where a ray meets this widget's plane, in local units; false when they are parallel.
    bool intersect_local(const CameraRay& ray, Vec2& local);
    // A pointer's position in local units; (0, 0) outside a UI, without camera or parallel.
    Vec2 mouse_to_local(int pointer);

private:
    friend class UI;

    // Takes child out of the children (it has no parent afterwards) and hands over the held
    // reference, for the caller to drop last.
    InstanceRef<UIWidget> forget_child(UIWidget& child);
    // Leaves the tree: no owner UI for the subtree, transform invalid, no parent.
    void detach();
    bool stretch_child(UIWidget& child, const Vec2& change);

    std::uint32_t flags_ = kFlexAll;
    Vec2 position_ = {0.0f, 0.0f};
    Vec2 size_ = {0.0f, 0.0f};
    Vec2 reference_size_ = {0.0f, 0.0f};
    Vec4 attach_frame_ = {0.0f, 0.0f, 0.0f, 0.0f};
    Vec2 ideal_size_ = {0.0f, 0.0f};
    Vec4 color_ = {1.0f, 1.0f, 1.0f, 1.0f};
    UIWidget* parent_ = nullptr;
    std::vector<InstanceRef<UIWidget>> children_;
    UI* owner_ui_ = nullptr;
    Matrix4 world_ = identity_matrix();
};

}  // namespace tarn
