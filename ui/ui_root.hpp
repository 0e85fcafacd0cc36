#pragma once

#include <squirrel.h>

#include <array>
#include <memory>
#include <vector>

#include "render/camera.hpp"
#include "render/matrix4.hpp"
#include "render/ui_batch.hpp"
#include "script/game_object.hpp"
#include "script/object_ref.hpp"
#include "ui/widget_ref.hpp"

namespace tarn {

class Renderer;
class UIWidget;

// The root of one widget tree drawn in front of a camera. It routes pointer keys (mouse buttons
// and touches) to the widget that captured the pointer or else the one under it, keeps per-
// pointer hover state and tells widgets when a pointer enters or leaves them, and draws the
// widgets through its own batch. Scripts drive it: nothing in the engine calls it by itself.
class UI : public GameObject {
public:
    static constexpr int kPointerCount = 6;

    static ClassDescriptor class_descriptor;

    UI(HSQUIRRELVM vm, const HSQOBJECT& instance);
    ~UI() override;
    const ClassDescriptor& descriptor() const override { return class_descriptor; }

    // The pointer index of a key code (MOUSE_LEFT, MOUSE_RIGHT, TOUCH_0..TOUCH_3), or -1.
    static int pointer_from_key(int key);

    Camera* camera() const { return camera_.get(); }
    void set_camera(Camera* camera) { camera_.reset(camera); }
    UIBatch& batch() { return *batch_; }
    // The parent transform of the top-level widgets: UI units to the camera's eye space.
    const Matrix4& canvas_matrix() const { return canvas_; }
    // Places the canvas in front of the camera so that one UI unit covers one window pixel,
    // with the UI point pivot at the window pixel position + pivot; nothing without a camera.
    void setup_canvas_2d(const Vec2& position, const Vec2& pivot, const Quaternion& rotation);

    void add_widget(UIWidget& widget);
    void remove_widget(UIWidget& widget);
    const std::vector<InstanceRef<UIWidget>>& widgets() const { return widgets_; }

    // The pointer's window position, and its ray in the camera's eye space; false without a
    // camera.
    bool pointer_ray(int pointer, CameraRay& ray) const;
    // The first top-level widget (in order) whose subtree the pointer hits, or null.
    UIWidget* hit_test(int pointer);
    UIWidget* hovered(int pointer) const { return hovered_[pointer].get(); }
    UIWidget* captured(int pointer) const { return captured_[pointer].get(); }
    // Makes widget the pointer's hovered widget, telling the old one it was left and the new one
    // it was entered. False when a script callback raised an error.
    bool set_hovered(UIWidget* widget, int pointer);
    void capture(UIWidget& widget, int pointer) { captured_[pointer].reset(&widget); }
    void release(UIWidget& widget, int pointer);

    // Routes a key to its pointer's widget: handled is true when a widget received it. False
    // when a script callback raised an error.
    bool handle_key_down(int key, bool& handled);
    bool handle_key_up(int key, bool& handled);
    // Hover update, then every widget's update in pre-order. False on a script error.
    bool update(float dt);
    // Draws the visible widgets in front of the camera; nothing without a camera.
    void render(Renderer& renderer, int window_height);

private:
    friend class UIWidget;

    // Takes a dying widget out of the list without releasing it (only a closing VM destroys a
    // widget the list holds).
    void forget_widget(UIWidget& widget);
    bool update_hover();
    bool route_key(int key, bool down, bool& handled);

    std::vector<InstanceRef<UIWidget>> widgets_;
    std::array<WeakObjectRef<UIWidget>, kPointerCount> captured_;
    std::array<WeakObjectRef<UIWidget>, kPointerCount> hovered_;
    // The widget a hover change is about to enter, while the left one's callback runs.
    std::array<WeakObjectRef<UIWidget>, kPointerCount> entering_;
    ObjectRef<Camera> camera_;
    std::unique_ptr<UIBatch> batch_;
    Matrix4 canvas_ = identity_matrix();
};

}  // namespace tarn
