// Global script functions over vectors and quaternions held as arrays of floats.
#include "script/vector_math_script.hpp"

#include "core/message.hpp"
#include "script/binding.hpp"
#include "script/vector_math.hpp"
#include "script/vector_reader.hpp"

namespace tarn {

namespace {

template <std::size_t N>
bool read(ArgumentReader& args, Vec<N>& out) {
    return read_vector(args, static_cast<int>(N), out.data());
}

template <std::size_t N>
SQInteger push(HSQUIRRELVM vm, const Vec<N>& v) {
    push_vector(vm, v.data(), static_cast<int>(N));
    return 1;
}

SQInteger push(HSQUIRRELVM vm, float value) {
    sq_pushfloat(vm, value);
    return 1;
}

// vecN() gives zeros; vecN(x, ...) takes exactly N numbers.
template <std::size_t N>
bool read_vector_arguments(HSQUIRRELVM vm, Vec<N>& out) {
    out = {};
    const SQInteger count = sq_gettop(vm) - 1;
    if (count != 0 && count != static_cast<SQInteger>(N)) {
        sq_throwerror(vm, message("Invalid number of v%1() parameters.", N).data());
        return false;
    }
    for (int k = 1; k <= count; ++k) {
        const SQObjectType type = sq_gettype(vm, k + 1);
        if (type != OT_INTEGER && type != OT_FLOAT) {
            sq_throwerror(vm, message("Expecting float as parameter %1.", k).data());
            return false;
        }
        SQFloat value = 0;
        sq_getfloat(vm, k + 1, &value);
        out[k - 1] = static_cast<float>(value);
    }
    return true;
}

// The result goes into a new array, or into the output array when one follows.
template <std::size_t N>
SQInteger push_result(ArgumentReader& args, const Vec<N>& result) {
    if (args.at_end())
        return push(args.vm(), result);
    SQInteger out = 0;
    if (!read_output_array(args, static_cast<int>(N), out))
        return SQ_ERROR;
    write_vector(args.vm(), out, result.data(), static_cast<int>(N));
    sq_push(args.vm(), out);
    return 1;
}

template <std::size_t N>
SQInteger make_vector(HSQUIRRELVM vm) {
    Vec<N> v;
    if (!read_vector_arguments(vm, v))
        return SQ_ERROR;
    return push(vm, v);
}

template <std::size_t N, Vec<N> (*Operation)(const Vec<N>&, const Vec<N>&)>
SQInteger combine(HSQUIRRELVM vm) {
    ArgumentReader args(vm);
    Vec<N> a, b;
    if (!read(args, a) || !read(args, b))
        return SQ_ERROR;
    return push_result(args, Operation(a, b));
}

template <std::size_t N>
SQInteger vector_length(HSQUIRRELVM vm) {
    ArgumentReader args(vm);
    Vec<N> v;
    if (!read(args, v))
        return SQ_ERROR;
    return push(vm, length(v));
}

template <std::size_t N>
SQInteger vector_safe_normalize(HSQUIRRELVM vm) {
    ArgumentReader args(vm);
    Vec<N> v;
    if (!read(args, v))
        return SQ_ERROR;
    return push(vm, safe_normalize(v));
}

SQInteger quaternion(HSQUIRRELVM vm) {
    return push(vm, kIdentityQuaternion);
}

template <Vec3 (*Direction)(const Quaternion&)>
SQInteger quaternion_direction(HSQUIRRELVM vm) {
    ArgumentReader args(vm);
    Quaternion q;
    if (!read(args, q))
        return SQ_ERROR;
    return push(vm, Direction(q));
}

SQInteger quaternion_from_euler_rotations(HSQUIRRELVM vm) {
    ArgumentReader args(vm);
    Vec3 turns;
    if (!read(args, turns))
        return SQ_ERROR;
    return push(vm, quaternion_from_euler(turns[0], turns[1], turns[2]));
}

SQInteger quaternion_transform_quaternion(HSQUIRRELVM vm) {
    ArgumentReader args(vm);
    Quaternion a, b;
    if (!read(args, a) || !read(args, b))
        return SQ_ERROR;
    return push(vm, multiply(a, b));
}

// All but `quaternion` check their own arguments.
constexpr NativeFunction kVectorFunctions[] = {
    {"vec2", make_vector<2>, 0, nullptr},
    {"vec3", make_vector<3>, 0, nullptr},
    {"vec4", make_vector<4>, 0, nullptr},
    {"vec2_add", combine<2, add<2>>, 0, nullptr},
    {"vec3_add", combine<3, add<3>>, 0, nullptr},
    {"vec4_add", combine<4, add<4>>, 0, nullptr},
    {"vec2_sub", combine<2, subtract<2>>, 0, nullptr},
    {"vec3_sub", combine<3, subtract<3>>, 0, nullptr},
    {"vec4_sub", combine<4, subtract<4>>, 0, nullptr},
    {"vec2_length", vector_length<2>, 0, nullptr},
    {"vec3_length", vector_length<3>, 0, nullptr},
    {"vec2_safe_normalize", vector_safe_normalize<2>, 0, nullptr},
    {"vec3_safe_normalize", vector_safe_normalize<3>, 0, nullptr},
    {"quaternion", quaternion, 1, "."},
    {"quaternion_get_forward_vector", quaternion_direction<forward_vector>, 0, nullptr},
    {"quaternion_get_right_vector", quaternion_direction<right_vector>, 0, nullptr},
    {"quaternion_get_up_vector", quaternion_direction<up_vector>, 0, nullptr},
    {"quaternion_from_euler_rotations", quaternion_from_euler_rotations, 0, nullptr},
    {"quaternion_transform_quaternion", quaternion_transform_quaternion, 0, nullptr},
};

}  // namespace

void register_vector_math(HSQUIRRELVM vm) {
    bind_functions(root_table(vm), kVectorFunctions);
}

}  // namespace tarn
