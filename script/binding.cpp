#include "script/binding.hpp"

#include "core/fatal.hpp"
#include "script/class_descriptor.hpp"
#include "script/stack_guard.hpp"

namespace tarn {

namespace {

constexpr const char* kNewSlotFailed = "sq_newslot( m_v, top + 1, SQFalse ) unpexpectly failed.";

void check(SQRESULT result, const char* failure) {
    if (SQ_FAILED(result))
        fatal_internal_error(failure);
}

// With target and the slot name pushed, and the value above them: creates the slot.
void new_slot(HSQUIRRELVM vm, SQInteger top) {
    check(sq_newslot(vm, top + 1, SQFalse), kNewSlotFailed);
}

void push_target_and_name(const ScriptObject& target, const char* name) {
    target.push();
    sq_pushstring(target.vm(), name, -1);
}

// Whether target already holds a class under name.
bool has_class(const ScriptObject& target, const char* name) {
    StackGuard guard(target.vm());
    push_target_and_name(target, name);
    return SQ_SUCCEEDED(sq_rawget(target.vm(), -2)) && sq_gettype(target.vm(), -1) == OT_CLASS;
}

BindingListener* listener_of(HSQUIRRELVM vm) {
    return static_cast<BindingListener*>(sq_getforeignptr(vm));
}

void tell_constant(const ScriptObject& target, const char* name, const std::string& value) {
    if (BindingListener* listener = listener_of(target.vm()))
        listener->constant_bound(target, name, value);
}

void tell_container(const ScriptObject& container, const char* name, const ScriptObject* base) {
    if (BindingListener* listener = listener_of(container.vm()))
        listener->container_created(container, name, base);
}

ScriptObject pushed_table(HSQUIRRELVM vm, void (*push_table)(HSQUIRRELVM)) {
    push_table(vm);
    ScriptObject table(vm, -1);
    sq_poptop(vm);
    return table;
}

}  // namespace

void set_binding_listener(HSQUIRRELVM vm, BindingListener* listener) {
    sq_setforeignptr(vm, listener);
}

void bind_integer(const ScriptObject& target, const char* name, SQInteger value) {
    HSQUIRRELVM vm = target.vm();
    StackGuard guard(vm);
    push_target_and_name(target, name);
    sq_pushinteger(vm, value);
    new_slot(vm, guard.top());
    tell_constant(target, name, std::to_string(value));
}

void bind_string(const ScriptObject& target, const char* name, const char* value) {
    HSQUIRRELVM vm = target.vm();
    StackGuard guard(vm);
    push_target_and_name(target, name);
    sq_pushstring(vm, value, -1);
    new_slot(vm, guard.top());
    tell_constant(target, name, '"' + std::string(value) + '"');
}

ScriptObject new_table(const ScriptObject& target, const char* name) {
    HSQUIRRELVM vm = target.vm();
    StackGuard guard(vm);
    push_target_and_name(target, name);
    sq_newtable(vm);
    ScriptObject table(vm, -1);
    new_slot(vm, guard.top());
    tell_container(table, name, nullptr);
    return table;
}

ScriptObject new_class(const ScriptObject& target, const char* name, const ScriptObject* base,
                       const void* type_tag, SQInteger user_data_size) {
    if (has_class(target, name))
        fatal_duplicate_class(name);
    HSQUIRRELVM vm = target.vm();
    StackGuard guard(vm);
    push_target_and_name(target, name);
    if (base != nullptr)
        base->push();
    if (SQ_FAILED(sq_newclass(vm, base != nullptr ? SQTrue : SQFalse))) {
        fatal_internal_error("sq_newclass( m_v, base != 0 ) unpexpectly failed.");
    }
    check(sq_settypetag(vm, guard.top() + 3, const_cast<void*>(type_tag)),
          "sq_settypetag( m_v, top + 3, type_tag ) unpexpectly failed.");
    check(sq_setclassudsize(vm, guard.top() + 3, user_data_size),
          "sq_setclassudsize( m_v, top + 3, udsize ) unpexpectly failed.");
    ScriptObject script_class(vm, -1);
    new_slot(vm, guard.top());
    tell_container(script_class, name, base);
    return script_class;
}

void bind_function(const ScriptObject& target, const char* name, SQFUNCTION function,
                   SQInteger param_count, const char* type_mask) {
    HSQUIRRELVM vm = target.vm();
    StackGuard guard(vm);
    push_target_and_name(target, name);
    sq_newclosure(vm, function, 0);
    check(sq_setparamscheck(vm, param_count, type_mask),
          "sq_setparamscheck( m_v, num_params_check, params_typemask ) unpexpectly failed.");
    check(sq_setnativeclosurename(vm, -1, name),
          "sq_setnativeclosurename( m_v, -1, name ) unpexpectly failed.");
    new_slot(vm, guard.top());
    if (BindingListener* listener = listener_of(vm))
        listener->function_bound(target, {name, function, param_count, type_mask});
}

void bind_function(const ScriptObject& target, const NativeFunction& function) {
    bind_function(target, function.name, function.function, function.param_count,
                  function.type_mask);
}

void bind_functions(const ScriptObject& target, std::span<const NativeFunction> functions) {
    for (const NativeFunction& function : functions)
        bind_function(target, function);
}

ScriptObject root_table(HSQUIRRELVM vm) {
    return pushed_table(vm, sq_pushroottable);
}

ScriptObject const_table(HSQUIRRELVM vm) {
    return pushed_table(vm, sq_pushconsttable);
}

ScriptObject registry_table(HSQUIRRELVM vm) {
    return pushed_table(vm, sq_pushregistrytable);
}

void register_class(HSQUIRRELVM vm, ClassDescriptor& cls, std::span<const NativeFunction> methods) {
    // Classes without a script class of their own (Entity2d) are skipped: the script class
    // extends the nearest ancestor that has one.
    const ClassDescriptor* parent = cls.parent;
    while (parent != nullptr && parent->script_class.is_null())
        parent = parent->parent;
    const ScriptObject* base = parent != nullptr ? &parent->script_class : nullptr;
    cls.script_class = new_class(root_table(vm), cls.name, base, cls.type_tag(), 0);
    bind_functions(cls.script_class, methods);
}

}  // namespace tarn
