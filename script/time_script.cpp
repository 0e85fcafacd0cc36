#include "script/time_script.hpp"

#include <cstring>

#include "script/binding.hpp"
#include "script/engine_object.hpp"
#include "script/stack_guard.hpp"
#include "script/time_value.hpp"

namespace tarn {

namespace {

// Time has no native object and no class descriptor: its type tag is the address of its name.
constexpr char kTimeName[] = "Time";

// The user data of a Time instance: the seconds, not necessarily aligned for a double, so they
// are copied bytewise.
struct TimeSlot {
    unsigned char bytes[sizeof(TimeValue::seconds)];
};

}  // namespace

template <>
struct InstanceTraits<TimeSlot> {
    static const void* tag() { return kTimeName; }
    static const char* name() { return kTimeName; }
    static TimeSlot* object(HSQUIRRELVM, SQInteger, void* data) {
        return static_cast<TimeSlot*>(data);
    }
};

namespace {

bool read_time(HSQUIRRELVM vm, SQInteger index, TimeValue& out) {
    const TimeSlot* slot = object_at<TimeSlot>(vm, index);
    if (slot != nullptr)
        std::memcpy(&out.seconds, slot->bytes, sizeof out.seconds);
    return slot != nullptr;
}

bool write_time(HSQUIRRELVM vm, SQInteger index, TimeValue value) {
    TimeSlot* slot = object_at<TimeSlot>(vm, index);
    if (slot != nullptr)
        std::memcpy(slot->bytes, &value.seconds, sizeof value.seconds);
    return slot != nullptr;
}

// An integer, a float or a Time, in seconds.
bool read_operand(HSQUIRRELVM vm, SQInteger index, double& out) {
    SQInteger integer = 0;
    SQFloat real = 0;
    TimeValue time;
    switch (sq_gettype(vm, index)) {
        case OT_INTEGER:
            sq_getinteger(vm, index, &integer);
            out = static_cast<double>(integer);
            return true;
        case OT_FLOAT:
            sq_getfloat(vm, index, &real);
            out = real;
            return true;
        default:
            if (!read_time(vm, index, time))
                return false;
            out = time.seconds;
            return true;
    }
}

// `this` and the operand of a binary method.
bool read_operands(HSQUIRRELVM vm, TimeValue& self, double& other) {
    return read_time(vm, 1, self) && read_operand(vm, 2, other);
}

// A new instance of the root table's Time class (its constructor is not run), or null.
ScriptObject new_time(HSQUIRRELVM vm, TimeValue value) {
    StackGuard guard(vm);
    sq_pushroottable(vm);
    sq_pushstring(vm, kTimeName, -1);
    if (SQ_FAILED(sq_get(vm, -2)) || SQ_FAILED(sq_createinstance(vm, -1)) ||
        !write_time(vm, -1, value))
        return ScriptObject();
    return ScriptObject(vm, -1);
}

SQInteger push_time(HSQUIRRELVM vm, TimeValue value) {
    const ScriptObject time = new_time(vm, value);
    if (time.is_null())
        return sq_throwerror(vm, "Can't create Time instance.");
    time.push(vm);
    return 1;
}

// The value the constructor's arguments give, or the error they raise.
const char* constructor_value(HSQUIRRELVM vm, double& value) {
    TimeValue self;
    if (!read_time(vm, 1, self))
        return "Invalid this.";
    if (sq_gettop(vm) > 2)
        return "Invalid number of arguments to Time constructor.";
    if (sq_gettop(vm) == 2 && !read_operand(vm, 2, value))
        return "Invalid argument to Time constructor.";
    return nullptr;
}

SQInteger construct(HSQUIRRELVM vm) {
    double value = 0.0;
    if (const char* error = constructor_value(vm, value))
        return sq_throwerror(vm, error);
    write_time(vm, 1, TimeValue{value});
    return 0;
}

// As a script float, through the VM's own number formatting.
SQInteger to_string(HSQUIRRELVM vm) {
    TimeValue self;
    if (!read_time(vm, 1, self))
        return sq_throwerror(vm, "Invalid argument to Time _tostring().");
    sq_pushfloat(vm, static_cast<SQFloat>(self.seconds));
    return SQ_SUCCEEDED(sq_tostring(vm, -1)) ? 1 : SQ_ERROR;
}

SQInteger add(HSQUIRRELVM vm) {
    TimeValue self;
    double other = 0.0;
    if (!read_operands(vm, self, other))
        return sq_throwerror(vm, "Invalid argument to Time _add.");
    return push_time(vm, self + other);
}

SQInteger subtract(HSQUIRRELVM vm) {
    TimeValue self;
    double other = 0.0;
    if (!read_operands(vm, self, other))
        return sq_throwerror(vm, "Invalid argument to Time _sub.");
    return push_time(vm, self - other);
}

SQInteger compare(HSQUIRRELVM vm) {
    TimeValue self;
    double other = 0.0;
    if (!read_operands(vm, self, other))
        return sq_throwerror(vm, "Invalid argument to Time _cmp.");
    push_value(vm, compare_times(self, other));
    return 1;
}

constexpr NativeFunction kMethods[] = {
    {"constructor", construct, -1, "x"}, {"_tostring", to_string, 1, "x"},
    {"_add", add, 2, "x i|f|x"},         {"_sub", subtract, 2, "x i|f|x"},
    {"_cmp", compare, 2, "x i|f|x"},
};

}  // namespace

// Time derives from EngineObject in scripts, but its instances hold a value, not a native object:
// EngineObject's readers tell them apart by the release hook that only bound instances carry.
void register_time_class(HSQUIRRELVM vm) {
    const ScriptObject& base = EngineObject::class_descriptor.script_class;
    ScriptObject time_class = new_class(root_table(vm), kTimeName, &base, kTimeName,
                                        static_cast<SQInteger>(sizeof(TimeValue::seconds)));
    bind_functions(time_class, kMethods);
}

}  // namespace tarn
