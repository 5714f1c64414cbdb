// A fixed array of controls indexed from First to Last, like the board cells 1..17.
#pragma once

#include <array>
#include <cassert>
#include <cstddef>

template <class T, int First, int Last>
class NumberedArray
{
    static_assert(First <= Last);

public:
    T &operator[](int index)
    {
        assert(index >= First && index <= Last);
        return m_items[static_cast<std::size_t>(index - First)];
    }
    const T &operator[](int index) const
    {
        assert(index >= First && index <= Last);
        return m_items[static_cast<std::size_t>(index - First)];
    }
    static constexpr int first() { return First; }
    static constexpr int last() { return Last; }

private:
    std::array<T, Last - First + 1> m_items{};
};
