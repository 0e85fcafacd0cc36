#include "script/http_post_script.hpp"

#include "script/binding.hpp"
#include "script/http_post.hpp"

namespace tarn {

namespace {

SQInteger init(HSQUIRRELVM vm) {
    HTTPPost* self = nullptr;
    SharedString url, data;
    if (!read_this(vm, self) || !read_string(vm, 2, url) || !read_string(vm, 3, data))
        return SQ_ERROR;
    self->start(url, data);
    return 0;
}

SQInteger update(HSQUIRRELVM vm) {
    HTTPPost* self = nullptr;
    if (!read_this(vm, self))
        return SQ_ERROR;
    push_value(vm, self->script_status());
    return 1;
}

SQInteger get_received_data(HSQUIRRELVM vm) {
    HTTPPost* self = nullptr;
    if (!read_this(vm, self))
        return SQ_ERROR;
    return return_string(vm, self->received_data());
}

constexpr NativeFunction kMethods[] = {
    {"constructor", construct_object<HTTPPost>, 1, "x"},
    {"init", init, 3, "xss"},
    {"update", update, 1, "x"},
    {"get_received_data", get_received_data, 1, "x"},
};

}  // namespace

void register_http_post_class(HSQUIRRELVM vm) {
    register_class(vm, HTTPPost::class_descriptor, kMethods);
}

}  // namespace tarn
