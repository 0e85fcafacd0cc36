::System.run_script("scripts/check.nut");

// A vector result: an array of floats close to the expected numbers.
function check_vector(actual, expected, what) {
    if (typeof actual != "array" || actual.len() != expected.len()) {
        check(false, what + ": not an array of " + expected.len());
        return;
    }
    foreach (i, value in actual) {
        check(typeof value == "float", what + ": element " + i + " is " + typeof value);
        check(fabs(value - expected[i]) < 1e-5,
              what + ": element " + i + " is " + value + ", expected " + expected[i]);
    }
}

// Constructors.
check_vector(vec2(), [0, 0], "vec2()");
check_vector(vec3(), [0, 0, 0], "vec3()");
check_vector(vec4(), [0, 0, 0, 0], "vec4()");
check_vector(vec2(1, 2), [1, 2], "vec2(1, 2) gives floats");
check_vector(vec3(1.5, -2, 3), [1.5, -2, 3], "vec3 of mixed numbers");
check_vector(vec4(1, 2, 3, 4), [1, 2, 3, 4], "vec4 of four numbers");
check_equal(error_of(@() vec2(1)), "Invalid number of v2() parameters.", "vec2 with one number");
check_equal(error_of(@() vec3(1, 2, 3, 4)), "Invalid number of v3() parameters.",
            "vec3 with four numbers");
check_equal(error_of(@() vec2(1, "a")), "Expecting float as parameter 2.", "vec2(1, \"a\")");
check_equal(error_of(@() vec4(null, 1, 2, 3)), "Expecting float as parameter 1.",
            "vec4 with a null first");
check_equal(error_of(@() vec2([1, 2])), "Invalid number of v2() parameters.",
            "vec2 does not take an array");

// Add and subtract with arrays, loose numbers and the output array.
check_vector(vec2_add([1, 2], 3, 4), [4, 6], "vec2_add([1, 2], 3, 4)");
check_vector(vec2_add(1, 2, [3, 4]), [4, 6], "vec2_add of numbers then an array");
check_vector(vec3_sub([5, 5, 5], [1, 2, 3]), [4, 3, 2], "vec3_sub is a - b");
check_vector(vec4_add([1, 2, 3, 4], [10, 20, 30, 40]), [11, 22, 33, 44], "vec4_add");
check_vector(vec4_sub(1, 2, 3, 4, 4, 3, 2, 1), [-3, -1, 1, 3], "vec4_sub of eight numbers");
local out = [0, 0];
local returned = vec2_add([1, 2], [3, 4], out);
check(returned == out, "the output array is the result");
check_vector(out, [4, 6], "the output array holds the sum");
local out3 = ["x", null, 7];
vec3_sub([1, 1, 1], [1, 2, 3], out3);
check_vector(out3, [0, -1, -2], "the output array's old elements are overwritten");
check_vector(vec2_sub([1, 2], [3, 4]), [-2, -2], "without an output array, a new one");

check_equal(error_of(@() vec2_add([1, 2, 3], [3, 4])), "Vector array doesn't have right size.",
            "an array of three where two are needed");
check_equal(error_of(@() vec3_add([1, 2], [3, 4, 5])), "Vector array doesn't have right size.",
            "an array of two where three are needed");
check_equal(error_of(@() vec2_add([1, "b"], [3, 4])), "Vector array element is not numeric.",
            "a string element");
check_equal(error_of(@() vec2_add([1, 2], 3)), "Expecting numeric.",
            "the second vector is one number short");
check_equal(error_of(@() vec2_add([1, 2])), "Expecting numeric.", "the second vector is missing");
check_equal(error_of(@() vec4_add(1, 2, 3)), "Expecting numeric.", "arguments run out");
check_equal(error_of(@() vec2_add([1, 2], 3, "4")), "Expecting numeric.", "a string number");
check_equal(error_of(@() vec2_add([1, 2], [3, 4], 5)), "Expecting vector array.",
            "a number as output");
check_equal(error_of(@() vec2_add([1, 2], [3, 4], [0, 0, 0])),
            "Vector array doesn't have right size.", "an output array of the wrong size");
local untouched = [7, 8];
error_of(@() vec2_add([1, 2], [3, "x"], untouched));
check_equal(untouched[0], 7, "a failed add leaves the output array alone");

// Length and normalising.
check_equal(vec2_length([3, 4]), 5.0, "vec2_length([3, 4])");
check_equal(vec3_length(2, 3, 6), 7.0, "vec3_length of loose numbers");
check_vector(vec2_safe_normalize([3, 4]), [0.6, 0.8], "vec2_safe_normalize([3, 4])");
check_vector(vec2_safe_normalize([0, 0]), [0, 0], "the zero vector stays zero");
check_vector(vec3_safe_normalize(0, 0, 0.00001), [0, 0, 0], "a tiny vector counts as zero");
check_vector(vec3_safe_normalize([0, -2, 0]), [0, -1, 0], "vec3_safe_normalize");
check_equal(error_of(@() vec3_length([1, 2])), "Vector array doesn't have right size.",
            "vec3_length of a vec2");

// Quaternions.
check_vector(quaternion(), [0, 0, 0, 1], "quaternion() is the identity");
check(error_of(@() quaternion(1)) != null, "quaternion takes no arguments");
local identity = quaternion();
check_vector(quaternion_get_forward_vector(identity), [0, 1, 0], "identity forward");
check_vector(quaternion_get_right_vector(identity), [1, 0, 0], "identity right");
check_vector(quaternion_get_up_vector(identity), [0, 0, 1], "identity up");

local yaw = quaternion_from_euler_rotations([0.25, 0, 0]);
check_vector(quaternion_get_forward_vector(yaw), [-1, 0, 0], "a quarter turn about z: forward");
check_vector(quaternion_get_right_vector(yaw), [0, 1, 0], "a quarter turn about z: right");
check_vector(quaternion_get_up_vector(yaw), [0, 0, 1], "a quarter turn about z: up");
local pitch = quaternion_from_euler_rotations(0, 0.25, 0);
check_vector(quaternion_get_forward_vector(pitch), [0, 0, 1], "a quarter turn about x");
// The turn about y applies first, then the one about x: right goes to -z, then to +y.
local both = quaternion_from_euler_rotations([0, 0.25, 0.25]);
check_vector(quaternion_get_right_vector(both), [0, 1, 0], "y first, then x");

// a ⊗ b rotates by b first, then by a.
local combined = quaternion_transform_quaternion(yaw, pitch);
check_vector(quaternion_get_forward_vector(combined), [0, 0, 1], "pitch then yaw: forward");
check_vector(quaternion_get_right_vector(combined), [0, 1, 0], "pitch then yaw: right");
local reversed = quaternion_transform_quaternion(pitch, yaw);
check_vector(quaternion_get_forward_vector(reversed), [-1, 0, 0], "yaw then pitch: forward");
check_vector(quaternion_get_right_vector(reversed), [0, 0, 1], "yaw then pitch: right");
check_vector(quaternion_transform_quaternion(identity, 0, 0, 0.6, 0.8), [0, 0, 0.6, 0.8],
             "the identity changes nothing; loose numbers work");
check_equal(error_of(@() quaternion_get_forward_vector([0, 0, 1])),
            "Vector array doesn't have right size.", "a quaternion of three");
check_equal(error_of(@() quaternion_from_euler_rotations("a")), "Expecting numeric.",
            "euler angles as a string");

checks_done();
::System.request_quit();
return null;
