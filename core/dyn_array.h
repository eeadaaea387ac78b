#pragma once
// CDynArray<T>: the growable array of plain elements (bytes, 16/32-bit
// values, pointers, small packed records). Count, capacity and growth step
// are signed 16-bit, so an array holds at most 32767 elements. Elements are
// moved with memory copies and never constructed or destroyed one by one;
// anything that owns resources is stored as a pointer.
//
// Growth: by the stored step, or when it is 0 by an eighth of the current
// count, at least 4 and at most 1024 elements; the new capacity is clamped
// to 32767 so that it can never wrap negative. New elements are zero-filled.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <type_traits>

namespace dyn_array_detail {
// The allocator every CDynArray uses; tests replace it to simulate an
// exhausted heap.
using AllocateFunction = void* (*)(size_t bytes);
extern AllocateFunction g_allocate;
}  // namespace dyn_array_detail

template <typename T>
class CDynArray {
    static_assert(std::is_trivially_copyable_v<T>, "CDynArray holds plain elements only");

public:
    static constexpr int16_t MaxCount = 32767;

    constexpr CDynArray() = default;
    explicit CDynArray(int16_t growBy) : m_growBy(growBy) {}
    CDynArray(const CDynArray&) = delete;
    CDynArray& operator=(const CDynArray&) = delete;
    CDynArray(CDynArray&& other) noexcept { TakeFrom(other); }
    CDynArray& operator=(CDynArray&& other) noexcept
    {
        if (this != &other) {
            SetSize(0);
            TakeFrom(other);
        }
        return *this;
    }
    virtual ~CDynArray() { SetSize(0); }

    // Sets the count, zero-filling new elements. growBy other than -1 first
    // replaces the stored step. False (array unchanged) when memory for
    // growing is not available or the count is out of 0..32767.
    bool SetSize(int32_t newCount, int16_t growBy = -1)
    {
        if (growBy != -1)
            m_growBy = growBy;
        if (newCount < 0 || newCount > MaxCount)
            return false;
        if (newCount == 0) {
            std::free(m_data);
            m_data = nullptr;
            m_capacity = 0;
            m_count = 0;
            return true;
        }
        if (newCount > m_capacity) {
            int32_t step = m_growBy;
            if (step <= 0) {
                step = m_count >> 3;
                if (step < 4)
                    step = 4;
                if (step > 1024)
                    step = 1024;
            }
            int32_t capacity = m_capacity + step;
            if (capacity < newCount)
                capacity = newCount;
            if (capacity > MaxCount)
                capacity = MaxCount;
            T* block =
                static_cast<T*>(dyn_array_detail::g_allocate(static_cast<size_t>(capacity) * sizeof(T)));
            if (!block)
                return false;
            if (m_count > 0)
                std::memcpy(static_cast<void*>(block), m_data, static_cast<size_t>(m_count) * sizeof(T));
            std::free(m_data);
            std::memset(static_cast<void*>(block + m_count), 0,
                        static_cast<size_t>(newCount - m_count) * sizeof(T));
            m_data = block;
            m_capacity = static_cast<int16_t>(capacity);
            m_count = static_cast<int16_t>(newCount);
            return true;
        }
        if (newCount > m_count)
            std::memset(static_cast<void*>(m_data + m_count), 0,
                        static_cast<size_t>(newCount - m_count) * sizeof(T));
        m_count = static_cast<int16_t>(newCount);
        return true;
    }

    // Copies n elements to the end; the index of the first new one, or -1
    // when growing failed (the array is then unchanged).
    int32_t Append(const T* source, int32_t n)
    {
        const int32_t oldCount = m_count;
        if (n <= 0)
            return oldCount;
        if (!SetSize(oldCount + n))
            return -1;
        std::memcpy(static_cast<void*>(m_data + oldCount), source, static_cast<size_t>(n) * sizeof(T));
        return oldCount;
    }
    int32_t Add(const T& value) { return Append(&value, 1); }

    // Removes n elements at index (cut to what the array holds); the new count.
    int32_t RemoveAt(int32_t index, int32_t n = 1)
    {
        if (index < 0 || index >= m_count || n <= 0)
            return m_count;
        if (n > m_count - index)
            n = m_count - index;
        std::memmove(static_cast<void*>(m_data + index), m_data + index + n,
                     static_cast<size_t>(m_count - index - n) * sizeof(T));
        m_count = static_cast<int16_t>(m_count - n);
        return m_count;
    }

    // Appends the value unless it is present (searched last to first);
    // false only when the append failed.
    bool AddUnique(const T& value)
    {
        if (IndexOf(value) >= 0)
            return true;
        return Append(&value, 1) >= 0;
    }

    // Index of the last element equal to value, or -1.
    int32_t IndexOf(const T& value) const
    {
        for (int32_t i = m_count - 1; i >= 0; --i)
            if (std::memcmp(&m_data[i], &value, sizeof(T)) == 0)
                return i;
        return -1;
    }

    int16_t Count() const { return m_count; }
    int16_t Capacity() const { return m_capacity; }
    int16_t GrowBy() const { return m_growBy; }
    bool IsEmpty() const { return m_count == 0; }
    T* Data() { return m_data; }
    const T* Data() const { return m_data; }
    // Unchecked like a plain array; use GetAt for a checked read.
    T& operator[](int32_t index) { return m_data[index]; }
    const T& operator[](int32_t index) const { return m_data[index]; }
    // The element at index, or a zero value when the index is out of range.
    T GetAt(int32_t index) const { return (index >= 0 && index < m_count) ? m_data[index] : T{}; }
    T* begin() { return m_data; }
    T* end() { return m_data + m_count; }
    const T* begin() const { return m_data; }
    const T* end() const { return m_data + m_count; }

private:
    void TakeFrom(CDynArray& other)
    {
        m_count = other.m_count;
        m_capacity = other.m_capacity;
        m_growBy = other.m_growBy;
        m_data = other.m_data;
        other.m_count = other.m_capacity = 0;
        other.m_data = nullptr;
    }

    int16_t m_count = 0;
    int16_t m_capacity = 0;
    int16_t m_growBy = 0;
    T* m_data = nullptr;
};
