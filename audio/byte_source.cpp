#include "audio/byte_source.hpp"

#include <algorithm>
#include <cstring>

#include "platform/file_system.hpp"

namespace tarn {

std::size_t MemorySource::read(void* out, std::size_t bytes) {
    const std::size_t count = std::min(bytes, bytes_.size() - position_);
    if (count > 0)
        std::memcpy(out, bytes_.data() + position_, count);
    position_ += count;
    return count;
}

bool MemorySource::seek(std::int64_t position) {
    if (position < 0 || position > size())
        return false;
    position_ = static_cast<std::size_t>(position);
    return true;
}

std::unique_ptr<FileSource> FileSource::open(const std::string& path) {
    std::FILE* file = platform::open_file(path, "rb");
    if (file == nullptr)
        return nullptr;
    std::unique_ptr<FileSource> source;
    if (fseeko(file, 0, SEEK_END) == 0) {
        const std::int64_t size = ftello(file);
        if (size >= 0 && fseeko(file, 0, SEEK_SET) == 0)
            source.reset(new FileSource(file, size));
    }
    if (!source)
        std::fclose(file);
    return source;
}

std::size_t FileSource::read(void* out, std::size_t bytes) {
    const std::size_t count = std::fread(out, 1, bytes, file_.get());
    position_ += static_cast<std::int64_t>(count);
    return count;
}

bool FileSource::seek(std::int64_t position) {
    if (position < 0 || position > size_ || fseeko(file_.get(), position, SEEK_SET) != 0)
        return false;
    position_ = position;
    return true;
}

}  // namespace tarn
