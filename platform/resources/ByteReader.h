// Bounds-checked little-endian reading of binary resource data. Every read either
// fits inside the data or fails, and once failed the reader stays failed, so a
// parser can read a whole record and check once.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <type_traits>

namespace platform::res {

class ByteReader {
public:
    ByteReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    bool Ok() const { return ok_; }
    size_t Offset() const { return pos_; }
    size_t Remaining() const { return ok_ ? size_ - pos_ : 0; }

    bool Skip(size_t n)
    {
        if (!ok_ || n > size_ - pos_)
            return Fail();
        pos_ += n;
        return true;
    }

    // To the next multiple of four from the start of the data.
    bool AlignTo4() { return Skip((4 - pos_ % 4) % 4); }

    bool Bytes(size_t n, const uint8_t** out)
    {
        const uint8_t* at = data_ + pos_;
        if (!Skip(n))
            return false;
        *out = at;
        return true;
    }

    template <typename T>
    bool Read(T* out)
    {
        static_assert(std::is_integral_v<T>);
        const uint8_t* at = nullptr;
        if (!Bytes(sizeof(T), &at))
            return false;
        std::make_unsigned_t<T> v = 0;
        for (size_t i = 0; i < sizeof(T); ++i)
            v |= static_cast<std::make_unsigned_t<T>>(static_cast<std::make_unsigned_t<T>>(at[i]) << (8 * i));
        *out = static_cast<T>(v);
        return true;
    }

    // A zero-terminated UTF-16 string; the terminator is consumed, not stored.
    bool String(std::u16string* out)
    {
        out->clear();
        for (;;) {
            uint16_t unit = 0;
            if (!Read(&unit))
                return false;
            if (unit == 0)
                return true;
            out->push_back(static_cast<char16_t>(unit));
        }
    }

private:
    bool Fail()
    {
        ok_ = false;
        return false;
    }

    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
    bool ok_ = true;
};

} // namespace platform::res
