#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <span>
#include <string>

namespace tarn {

// Random-access bytes that a decoder reads: a file in memory or on disk.
class ByteSource {
public:
    virtual ~ByteSource() = default;

    // Reads up to `bytes` bytes at the current position; fewer at the end or on a read error.
    virtual std::size_t read(void* out, std::size_t bytes) = 0;
    // Moves to an absolute position 0..size(); false (position unchanged) outside it.
    virtual bool seek(std::int64_t position) = 0;
    virtual std::int64_t tell() const = 0;
    virtual std::int64_t size() const = 0;

    // Reads exactly `bytes` bytes, or fails.
    bool read_exactly(void* out, std::size_t bytes) { return read(out, bytes) == bytes; }
};

// Bytes held by the caller, which must outlive the source.
class MemorySource final : public ByteSource {
public:
    explicit MemorySource(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::size_t read(void* out, std::size_t bytes) override;
    bool seek(std::int64_t position) override;
    std::int64_t tell() const override { return static_cast<std::int64_t>(position_); }
    std::int64_t size() const override { return static_cast<std::int64_t>(bytes_.size()); }

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t position_ = 0;
};

// A file read from disk as it is needed.
class FileSource final : public ByteSource {
public:
    // The file at a native path (found as platform::open_file finds it), or nothing.
    static std::unique_ptr<FileSource> open(const std::string& path);

    std::size_t read(void* out, std::size_t bytes) override;
    bool seek(std::int64_t position) override;
    std::int64_t tell() const override { return position_; }
    std::int64_t size() const override { return size_; }

private:
    struct Closer {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };

    FileSource(std::FILE* file, std::int64_t size) : file_(file), size_(size) {}

    std::unique_ptr<std::FILE, Closer> file_;
    std::int64_t size_;
    std::int64_t position_ = 0;
};

}  // namespace tarn
