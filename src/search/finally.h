#pragma once

#include <utility>

namespace search {

// Runs a clean-up when the scope ends, on every path out of a handler.
template <class F> class Finally {
public:
    explicit Finally(F f) : m_f(std::move(f)) {}
    ~Finally() { m_f(); }
    Finally(const Finally&) = delete;
    Finally& operator=(const Finally&) = delete;

private:
    F m_f;
};

} // namespace search
