#include "script/file_script.hpp"

#include "script/binding.hpp"
#include "script/file_object.hpp"

namespace tarn {

namespace {

// The optional location after name and mode; anything but "save" or "home" is the data folder.
FileLocation location_argument(HSQUIRRELVM vm) {
    const char* location = nullptr;
    if (sq_gettop(vm) < 4 || SQ_FAILED(sq_getstring(vm, 4, &location)))
        return FileLocation::kData;
    return file_location(SharedString(location, static_cast<int>(sq_getsize(vm, 4))));
}

SQInteger open(HSQUIRRELVM vm) {
    File* self = nullptr;
    SharedString name, mode;
    if (!read_this(vm, self) || !read_string(vm, 2, name) || !read_string(vm, 3, mode))
        return SQ_ERROR;
    push_value(vm, self->open(name, mode, location_argument(vm)));
    return 1;
}

SQInteger close(HSQUIRRELVM vm) {
    File* self = nullptr;
    if (!read_this(vm, self))
        return SQ_ERROR;
    self->close();
    push_value(vm, false);
    return 1;
}

SQInteger read_line(HSQUIRRELVM vm) {
    File* self = nullptr;
    SharedString line;
    if (!read_this(vm, self))
        return SQ_ERROR;
    self->read_line(line) ? push_value(vm, line) : push_value(vm, nullptr);
    return 1;
}

SQInteger write_line(HSQUIRRELVM vm) {
    File* self = nullptr;
    SharedString text;
    if (!read_this(vm, self) || !read_string(vm, 2, text))
        return SQ_ERROR;
    push_value(vm, self->write_line(text));
    return 1;
}

constexpr NativeFunction kMethods[] = {
    {"constructor", construct_object<File>, 1, "x"},
    {"open", open, -3, "xss"},
    {"close", close, 1, "x"},
    {"read_line", read_line, 1, "x"},
    {"write_line", write_line, 2, "xs"},
};

}  // namespace

void register_file_class(HSQUIRRELVM vm) {
    register_class(vm, File::class_descriptor, kMethods);
}

}  // namespace tarn
