#pragma once

#include "script/affine2.hpp"
#include "script/engine_object.hpp"

namespace tarn {

// An EngineObject with a 2D transform in a hierarchy: local position, rotation (in turns) and
// scale, relative to the parent. The world matrix is cached and rebuilt after any change of
// this object or an ancestor.
class Entity2d : public EngineObject {
public:
    enum Flags { kRotated = 1, kScaled = 2, kMatrixValid = 4 };

    static ClassDescriptor class_descriptor;

    Entity2d() = default;
    const ClassDescriptor& descriptor() const override { return class_descriptor; }
    ~Entity2d() override;

    float x() const { return x_; }
    float y() const { return y_; }
    float rotation() const { return rotation_; }
    float scale_x() const { return scale_x_; }
    float scale_y() const { return scale_y_; }
    int flags() const { return flags_; }

    void set_position(float x, float y);
    void set_rotation(float turns);
    void set_scale(float sx, float sy);
    const Affine2& world_matrix();

    Entity2d* parent() const { return parent_; }
    Entity2d* first_child() const { return first_child_; }
    Entity2d* next_sibling() const { return next_sibling_; }
    // Moves this object under parent (null: to the top) keeping its local position and
    // rotation; binding to itself is refused with a log line.
    void bind(Entity2d* parent);
    // Leaves the parent, turning position and scale into world values.
    void detach_keeping_world();

private:
    void invalidate();
    void detach();
    void append_to(Entity2d* parent);
    void unlink();

    Entity2d* parent_ = nullptr;
    Entity2d* first_child_ = nullptr;
    Entity2d* last_child_ = nullptr;
    Entity2d* prev_sibling_ = nullptr;
    Entity2d* next_sibling_ = nullptr;
    float x_ = 0;
    float y_ = 0;
    float rotation_ = 0;
    float scale_x_ = 1;
    float scale_y_ = 1;
    int flags_ = 0;
    Affine2 matrix_;
};

}  // namespace tarn
