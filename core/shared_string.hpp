#pragma once

#include <cstdint>

namespace tarn {

// A reference-counted, copy-on-write string of 8- or 16-bit characters. Copies share one heap
// block; the first in-place change of a shared string gives it a private copy. The empty string
// owns no block and points at a static terminator. The text is always zero-terminated.
template <typename Char>
class BasicSharedString {
public:
    BasicSharedString() = default;
    BasicSharedString(const Char* text, int length = -1);
    BasicSharedString(const BasicSharedString& other);
    BasicSharedString(BasicSharedString&& other) noexcept;
    ~BasicSharedString();

    BasicSharedString& operator=(const BasicSharedString& other);
    BasicSharedString& operator=(BasicSharedString&& other) noexcept;

    int length() const { return length_; }
    bool empty() const { return length_ == 0; }
    const Char* data() const { return data_; }
    Char operator[](int index) const { return data_[index]; }
    const Char* begin() const { return data_; }
    const Char* end() const { return data_ + length_; }

    // Capacity of the shared block in characters, terminator included; 0 for the empty string.
    int capacity() const;
    // Number of strings sharing the block; 0 for the empty string.
    int use_count() const;

    // Writable characters; gives the string a private block first.
    Char* mutable_data();

    // Resizes to n characters. Growth mode allocates half again as much room, which keeps
    // repeated appends amortised. New characters are left uninitialised.
    void resize(int n, bool growth = false);
    void clear() { resize(0); }

    // Appends length characters of text (negative: up to the terminator). The text may point
    // into this string itself.
    BasicSharedString& append(const Char* text, int length = -1);
    BasicSharedString& append(const BasicSharedString& text);
    BasicSharedString& append(Char c) { return append(&c, 1); }

    // Lexicographic comparison with a zero-terminated text, characters compared as signed
    // values, the shorter text first; a null text compares below any string.
    int compare(const Char* text) const;
    bool starts_with(const Char* prefix) const;

    friend bool operator==(const BasicSharedString& a, const BasicSharedString& b) {
        return a.length_ == b.length_ && a.compare_prefix(b.data_, b.length_) == 0;
    }
    friend bool operator==(const BasicSharedString& a, const Char* b) { return a.compare(b) == 0; }

private:
    struct Block;

    static const Char empty_text_[1];
    // Paths grow by repeated joins, so the 16-bit variant always allocates with growth.
    static constexpr bool always_grows = sizeof(Char) == 2;

    void release();
    void make_private();
    void point_at_empty();
    void reallocate(int n, int capacity);
    int compare_prefix(const Char* text, int text_length) const;

    int32_t length_ = 0;
    Block* block_ = nullptr;
    Char* data_ = const_cast<Char*>(empty_text_);
};

// Both variants are instantiated once, in shared_string.cpp.
extern template class BasicSharedString<char>;
extern template class BasicSharedString<char16_t>;

using SharedString = BasicSharedString<char>;
using WideString = BasicSharedString<char16_t>;

// Length of a zero-terminated text; 0 for null.
template <typename Char>
int text_length(const Char* text);

}  // namespace tarn
