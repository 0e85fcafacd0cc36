// The Entity2d transform hierarchy.
#include <gtest/gtest.h>

#include "script/entity2d.hpp"
#include "support/log_capture.hpp"

namespace tarn {
namespace {

constexpr float kTolerance = 1e-4f;

void expect_world_position(Entity2d& e, float x, float y) {
    const Affine2& m = e.world_matrix();
    EXPECT_NEAR(m.m[4], x, kTolerance);
    EXPECT_NEAR(m.m[5], y, kTolerance);
}

TEST(Entity2dTest, WorldMatrixComposesParentRotationAndScale) {
    ObjectRef<Entity2d> parent(new Entity2d);
    ObjectRef<Entity2d> child(new Entity2d);
    parent->set_position(10, 0);
    parent->set_rotation(0.25f);
    child->bind(parent.get());
    child->set_position(5, 0);
    expect_world_position(*child, 10, 5);

    parent->set_scale(2, 2);
    expect_world_position(*child, 10, 10);
    const Affine2& m = child->world_matrix();
    EXPECT_NEAR(m.apply_x(1, 0) - m.m[4], 0, kTolerance);
    EXPECT_NEAR(m.apply_y(1, 0) - m.m[5], 2, kTolerance);
}

TEST(Entity2dTest, MovingAnAncestorInvalidatesCachedDescendants) {
    ObjectRef<Entity2d> root(new Entity2d);
    ObjectRef<Entity2d> middle(new Entity2d);
    ObjectRef<Entity2d> leaf(new Entity2d);
    middle->bind(root.get());
    leaf->bind(middle.get());
    leaf->set_position(1, 1);
    expect_world_position(*leaf, 1, 1);
    EXPECT_TRUE(leaf->flags() & Entity2d::kMatrixValid);
    root->set_position(100, 50);
    EXPECT_FALSE(leaf->flags() & Entity2d::kMatrixValid);
    expect_world_position(*leaf, 101, 51);
    root->set_rotation(0);
    EXPECT_FALSE(root->flags() & Entity2d::kRotated);
}

TEST(Entity2dTest, BindingToItselfLeavesItUnboundInWorldCoordinates) {
    test::LogCapture log;
    ObjectRef<Entity2d> parent(new Entity2d);
    ObjectRef<Entity2d> e(new Entity2d);
    parent->set_position(10, 20);
    parent->set_scale(2, 3);
    e->bind(parent.get());
    e->set_position(1, 2);
    e->bind(e.get());
    EXPECT_EQ(log.lines().back(), "Trying to bind Entity2d object to itself.");
    EXPECT_EQ(e->parent(), nullptr);
    EXPECT_EQ(parent->first_child(), nullptr);
    EXPECT_NEAR(e->x(), 12, kTolerance);
    EXPECT_NEAR(e->y(), 26, kTolerance);
    EXPECT_NEAR(e->scale_x(), 2, kTolerance);
    EXPECT_NEAR(e->scale_y(), 3, kTolerance);
}

TEST(Entity2dTest, RebindingKeepsLocalPositionAndRotation) {
    ObjectRef<Entity2d> first(new Entity2d);
    ObjectRef<Entity2d> second(new Entity2d);
    ObjectRef<Entity2d> e(new Entity2d);
    first->set_position(5, 5);
    second->set_position(-5, 0);
    e->bind(first.get());
    e->set_position(1, 0);
    e->set_rotation(0.5f);
    e->bind(second.get());
    EXPECT_EQ(e->parent(), second.get());
    EXPECT_NEAR(e->x(), 1, kTolerance);
    EXPECT_NEAR(e->rotation(), 0.5f, kTolerance);
    expect_world_position(*e, -4, 0);

    e->bind(nullptr);
    EXPECT_EQ(second->first_child(), nullptr);
    EXPECT_NEAR(e->x(), -4, kTolerance);
}

TEST(Entity2dTest, ChildrenKeepOrderAndSurviveTheirParentInWorldCoordinates) {
    ObjectRef<Entity2d> parent(new Entity2d);
    ObjectRef<Entity2d> a(new Entity2d);
    ObjectRef<Entity2d> b(new Entity2d);
    parent->set_position(3, 4);
    a->bind(parent.get());
    b->bind(parent.get());
    EXPECT_EQ(parent->first_child(), a.get());
    EXPECT_EQ(a->next_sibling(), b.get());
    parent.reset();
    EXPECT_EQ(a->parent(), nullptr);
    EXPECT_EQ(b->parent(), nullptr);
    expect_world_position(*b, 3, 4);
}

}  // namespace
}  // namespace tarn
