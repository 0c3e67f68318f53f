// TArray: growable array of plain values that owns its storage. Appending never reorders; out
// of memory ends the process, as TString does, since the launcher has no way on without it.
#pragma once
#include <cstdlib>
#include <type_traits>

template <typename T> class TArray {
    static_assert(std::is_trivially_copyable<T>::value, "TArray moves its values as bytes");

  public:
    TArray() = default;
    TArray(const TArray&) = delete;
    TArray& operator=(const TArray&) = delete;
    ~TArray() { std::free(items_); }

    int Count() const { return count_; }
    T& operator[](int index) { return items_[index]; }
    const T& operator[](int index) const { return items_[index]; }

    // Returns the index of the new last value.
    int Append(const T& value) {
        if (count_ == capacity_)
            Grow();
        items_[count_] = value;
        return count_++;
    }

    void Clear() {
        std::free(items_);
        items_ = nullptr;
        count_ = capacity_ = 0;
    }

  private:
    void Grow() {
        int capacity = capacity_ ? capacity_ * 2 : 4;
        void* items = std::realloc(items_, capacity * sizeof(T));
        if (!items)
            std::abort();
        items_ = static_cast<T*>(items);
        capacity_ = capacity;
    }

    T* items_ = nullptr;
    int count_ = 0;
    int capacity_ = 0;
};
