#include "script/file_object.hpp"

#include <algorithm>

#include "core/cvar_list.hpp"
#include "core/log.hpp"
#include "core/message.hpp"
#include "script/open_file_list.hpp"

namespace tarn {

ClassDescriptor File::class_descriptor("File", &EngineObject::class_descriptor, nullptr, nullptr);

FileLocation file_location(const SharedString& location) {
    return location == "save" || location == "home" ? FileLocation::kSave : FileLocation::kData;
}

WidePath file_path(const SharedString& name, FileLocation location) {
    if (location == FileLocation::kData)
        return join(data_path(), WidePath(name));
    const SharedString save_dir = cvar_list().get_string("system::save_dir");
    return expand(join(WidePath(save_dir), WidePath(name)));
}

bool next_line(const Bytes& data, int& cursor, SharedString& line) {
    const int size = static_cast<int>(data.size());
    if (cursor < 0 || cursor >= size)
        return false;
    const char* start = reinterpret_cast<const char*>(data.data()) + cursor;
    const char* end = reinterpret_cast<const char*>(data.data()) + size;
    const char* newline = std::find(start, end, '\n');
    int length = static_cast<int>(newline - start);
    cursor += length + (newline != end ? 1 : 0);
    if (length > 0 && start[length - 1] == '\r')
        --length;
    line = SharedString(start, length);
    return true;
}

bool File::open(const SharedString& name, const SharedString& mode, FileLocation location) {
    close();
    if (mode == "r")
        return open_for_reading(file_path(name, location));
    if (mode == "w")
        return open_for_writing(file_path(name, location));
    return false;
}

bool File::open_for_reading(const WidePath& path) {
    close();
    if (!read_file(path, buffer_))
        return false;
    mode_ = kReading;
    return true;
}

bool File::open_for_writing(const WidePath& path) {
    close();
    create_directories(path);
    if (!writer_.open(path))
        return false;
    mode_ = kWriting;
    path_ = path;
    open_file_list().add(this);
    return true;
}

void File::close() {
    if (mode_ == kWriting) {
        writer_.commit();  // a failure is logged by the writer
        open_file_list().remove(this);
    }
    Bytes().swap(buffer_);
    mode_ = kClosed;
    cursor_ = 0;
}

File::~File() {
    if (mode_ != kWriting)
        return;
    log_message(message("File '%1' was never closed; what was written to it is dropped.", path_));
    writer_.discard();
    open_file_list().remove(this);
}

bool File::read_line(SharedString& line) {
    return mode_ == kReading && next_line(buffer_, cursor_, line);
}

bool File::write_line(const SharedString& text) {
    return writer_.write(text.data(), text.length()) && writer_.write("\r\n", 2);
}

}  // namespace tarn
