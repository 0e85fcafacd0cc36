// The Scene and SceneObject script classes through a real VM: argument checks and their
// messages, values read back in script units.
#include "unit/scene/scene_script_fixture.hpp"

namespace tarn {
namespace {

using SceneScriptApi = test::SceneScriptTest;

struct Case {
    const char* code;
    const char* expected;
};

TEST_F(SceneScriptApi, ReportsWrongObjectsAndArguments) {
    const Case cases[] = {
        // `this` and object arguments.
        {"Scene.update.call(SceneObject(), 1)", "Expecting Scene"},
        {"Scene.render_2d.call(View2d())", "Expecting Scene"},
        {"SceneObject.play.call(Scene())", "Expecting SceneObject"},
        {"SceneObject.get_position.call(Time())", "Expecting SceneObject"},
        {"SceneObject().set_scene(View2d())", "Expecting Scene"},
        {"Scene().render(View2d())", "Expecting Camera"},
        {"Scene().set_view(Camera())", "Expecting View2d"},
        // Methods that check their own arguments.
        {"SceneObject().move_to(1, 2)", "Expecting float."},
        {"SceneObject().move_to([1, 2], \"fast\")", "Expecting float."},
        {"SceneObject().move_to(1)", "Expecting numeric."},
        {"SceneObject().move_to2([1, 2], 1, 0.25)", "Expecting float."},
        {"SceneObject().fade_alpha_to(1)", "Expecting float."},
        {"SceneObject().rotate()", "Expecting float."},
        {"SceneObject().rotate_to(90, null)", "Expecting float."},
        {"SceneObject().add_collision_circle([0, 0])", "Expecting float."},
        {"SceneObject().set_area([0, 0], [1])", "Vector array doesn't have right size."},
        {"SceneObject().set_color(1, 1, 1)", "Expecting numeric."},
        {"SceneObject().set_position([1, \"a\"])", "Vector array element is not numeric."},
        {"SceneObject().test_collision_with_point()", "Expecting numeric."},
        {"SceneObject().set_line(5)", "Expecting numeric."},
        // The VM's parameter checks, from the registered counts and masks.
        {"SceneObject().set_layer(1.5)",
         "parameter 1 has an invalid type 'float' ; expected: 'integer'"},
        {"Scene().update(\"1\")",
         "parameter 1 has an invalid type 'string' ; expected: 'integer|float'"},
        {"SceneObject().set_sprite(3)",
         "parameter 1 has an invalid type 'integer' ; expected: 'null|string|instance'"},
        {"SceneObject().set_enabled(null)",
         "parameter 1 has an invalid type 'null' ; expected: 'integer|float|bool'"},
        {"SceneObject().set_looping(1)",
         "parameter 1 has an invalid type 'integer' ; expected: 'bool'"},
        {"SceneObject().set_repeating(true)", "wrong number of parameters"},
        {"SceneObject().is_playing(1)", "wrong number of parameters"},
        {"Scene().sort_layer()", "wrong number of parameters"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(vm_.error_of(c.code), c.expected) << c.code;
}

TEST_F(SceneScriptApi, ValuesReadBackInScriptUnits) {
    const Case cases[] = {
        {"o.set_angle(90); return show(o.get_rotation())", "0.25"},
        {"o.set_rotation(1.5); return show(o.get_angle())", "540"},
        {"o.set_rotation(-0.25); return show(o.get_angle())", "-90"},
        {"o.set_enabled(0); return o.is_enabled()", "false"},
        {"o.set_enabled(0.0); return o.is_enabled()", "false"},
        {"o.set_enabled(2); o.set_enabled(true); return o.is_enabled()", "true"},
        {"o.set_layer(40); return o.get_layer()", "16"},
        {"o.set_layer(-40); return o.get_layer()", "-16"},
        {"return show(o.get_pivot_in_texture_image())", "0 0"},
        {"return typeof o.get_pivot_in_texture_image()[0]", "float"},
        {"o.set_position(3, 4); return show(o.get_position())", "3 4"},
        {"o.set_position([-3, 4.5]); return show(o.get_position())", "-3 4.5"},
        {"o.set_local_scale([2, 3]); return show(o.get_local_scale())", "2 3"},
        {"o.set_shear(0.5, 0); return show(o.get_shear())", "0.5 0"},
        {"return show(o.get_color())", "1 1 1 1"},
        {"o.set_color([0.5, 0.25, 1, 0]); return show(o.get_color())", "0.5 0.25 1 0"},
        {"o.set_angle(10); return show(o.rotate_to(350, 40))", "-20"},
        {"o.set_sprite(\"box\"); return show([o.get_size(), o.get_pivot()])", "10 20 5 10"},
        {"o.set_sprite(Sprite.create(\"walk\")); return show(o.get_size())", "10 20"},
        {"o.set_sprite(\"box\"); o.set_sprite(null); return show(o.get_size())", "0 0"},
        {"o.set_sprite(\"timer\"); o.play(); return o.is_playing()", "true"},
        {"o.set_sprite(\"timer\"); o.play(); o.stop(); return o.is_playing()", "false"},
        {"o.set_sprite(\"box\"); o.set_position(100, 0);"
         "return o.test_collision_with_point(103, 0) + \" \" + o.test_collision_with_point([105, "
         "0])",
         "true false"},
        {"o.add_collision_circle(10, 0, 2); return o.test_collision_with_point([11, 1])", "true"},
        {"o.add_collision_circle(10, 0, 2); o.remove_all_collisions();"
         "return o.test_collision_with_point([11, 1])",
         "false"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(run(std::string("local o = SceneObject();") + c.code), c.expected) << c.code;
    }
}

}  // namespace
}  // namespace tarn
