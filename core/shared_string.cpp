#include "core/shared_string.hpp"

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <new>
#include <type_traits>

namespace tarn {

// One heap block: reference count and capacity (terminator included), then the characters.
template <typename Char>
struct BasicSharedString<Char>::Block {
    int32_t references;
    int32_t capacity;

    Char* chars() { return reinterpret_cast<Char*>(this + 1); }

    static Block* allocate(int capacity) {
        void* memory = std::malloc(sizeof(Block) + static_cast<size_t>(capacity) * sizeof(Char));
        if (memory == nullptr)
            std::abort();  // out of memory: nothing sensible is left to do
        return new (memory) Block{1, capacity};
    }
};

template <typename Char>
const Char BasicSharedString<Char>::empty_text_[1] = {0};

template <typename Char>
int text_length(const Char* text) {
    if (text == nullptr)
        return 0;
    const Char* end = text;
    while (*end != 0)
        ++end;
    return static_cast<int>(end - text);
}

template <typename Char>
BasicSharedString<Char>::BasicSharedString(const Char* text, int length) {
    append(text, length);
}

template <typename Char>
BasicSharedString<Char>::BasicSharedString(const BasicSharedString& other)
    : length_(other.length_), block_(other.block_), data_(other.data_) {
    if (block_ != nullptr)
        ++block_->references;
}

template <typename Char>
BasicSharedString<Char>::BasicSharedString(BasicSharedString&& other) noexcept
    : length_(other.length_), block_(other.block_), data_(other.data_) {
    other.point_at_empty();
}

template <typename Char>
BasicSharedString<Char>::~BasicSharedString() {
    release();
}

template <typename Char>
BasicSharedString<Char>& BasicSharedString<Char>::operator=(const BasicSharedString& other) {
    if (this == &other || block_ == other.block_)
        return *this;
    if (other.block_ != nullptr)
        ++other.block_->references;
    release();
    length_ = other.length_;
    block_ = other.block_;
    data_ = other.data_;
    return *this;
}

template <typename Char>
BasicSharedString<Char>& BasicSharedString<Char>::operator=(BasicSharedString&& other) noexcept {
    if (this == &other)
        return *this;
    release();
    length_ = other.length_;
    block_ = other.block_;
    data_ = other.data_;
    other.point_at_empty();
    return *this;
}

template <typename Char>
int BasicSharedString<Char>::capacity() const {
    return block_ != nullptr ? block_->capacity : 0;
}

template <typename Char>
int BasicSharedString<Char>::use_count() const {
    return block_ != nullptr ? block_->references : 0;
}

template <typename Char>
void BasicSharedString<Char>::release() {
    if (block_ != nullptr && --block_->references == 0)
        std::free(block_);
    point_at_empty();
}

template <typename Char>
void BasicSharedString<Char>::point_at_empty() {
    length_ = 0;
    block_ = nullptr;
    data_ = const_cast<Char*>(empty_text_);
}

template <typename Char>
void BasicSharedString<Char>::make_private() {
    if (block_ != nullptr && block_->references != 1) {
        reallocate(length_, std::max(length_ + 1, 16));
    }
}

template <typename Char>
Char* BasicSharedString<Char>::mutable_data() {
    make_private();
    return data_;
}

template <typename Char>
void BasicSharedString<Char>::reallocate(int n, int capacity) {
    if (always_grows)
        capacity = capacity * 3 / 2;
    Block* block = Block::allocate(capacity);
    const int kept = std::min(length_, n);
    std::memcpy(block->chars(), data_, static_cast<size_t>(kept) * sizeof(Char));
    release();
    block_ = block;
    data_ = block->chars();
    length_ = n;
    data_[n] = 0;
}

template <typename Char>
void BasicSharedString<Char>::resize(int n, bool growth) {
    const bool is_private = block_ != nullptr && block_->references == 1;
    if (is_private && n >= length_ && n < block_->capacity) {
        length_ = n;
        data_[n] = 0;
        return;
    }
    if (n == length_ && (is_private || block_ == nullptr))
        return;
    if (n < 1) {
        release();
        return;
    }
    const int needed = std::max(n + 1, 16);
    if (is_private && block_->capacity >= needed && block_->capacity / 2 < needed) {
        length_ = n;
        data_[n] = 0;
        return;
    }
    // The 16-bit variant applies its growth inside reallocate.
    reallocate(n, growth && !always_grows ? needed * 3 / 2 : needed);
}

template <typename Char>
BasicSharedString<Char>& BasicSharedString<Char>::append(const Char* text, int length) {
    if (text == nullptr || length == 0)
        return *this;
    if (length < 0)
        length = text_length(text);
    if (length == 0)
        return *this;
    // The text may live inside our own block, which the resize can move.
    const bool from_self = text >= data_ && text < data_ + length_;
    const std::ptrdiff_t offset = text - data_;
    const int old_length = length_;
    resize(old_length + length, true);
    if (from_self)
        text = data_ + offset;
    std::memmove(data_ + old_length, text, static_cast<size_t>(length) * sizeof(Char));
    return *this;
}

template <typename Char>
BasicSharedString<Char>& BasicSharedString<Char>::append(const BasicSharedString& text) {
    return append(text.data_, text.length_);
}

template <typename Char>
int BasicSharedString<Char>::compare_prefix(const Char* text, int text_length) const {
    using Signed = std::make_signed_t<Char>;
    if (text == data_ && text_length == length_)
        return 0;
    const int common = std::min(length_, text_length);
    for (int i = 0; i < common; ++i) {
        const Signed a = static_cast<Signed>(data_[i]);
        const Signed b = static_cast<Signed>(text[i]);
        if (a != b)
            return a < b ? -1 : 1;
    }
    return length_ == text_length ? 0 : (length_ < text_length ? -1 : 1);
}

template <typename Char>
int BasicSharedString<Char>::compare(const Char* text) const {
    if (text == nullptr)
        return 1;
    return compare_prefix(text, text_length(text));
}

template <typename Char>
bool BasicSharedString<Char>::starts_with(const Char* prefix) const {
    const int n = text_length(prefix);
    return n <= length_ && std::equal(prefix, prefix + n, data_);
}

template class BasicSharedString<char>;
template class BasicSharedString<char16_t>;
template int text_length(const char*);
template int text_length(const char16_t*);

}  // namespace tarn
