// Errors as values: a result holds either a value or the failure that prevented it.
#pragma once

#include <QString>

#include <utility>
#include <variant>

namespace quenloft {

struct Failure
{
    qint32 number = 0;   // a system error code, a runtime error number, or the program's own
    QString description; // what went wrong, in words a user can act on
};

template <typename T> class [[nodiscard]] Result
{
public:
    Result(T value) : m_state(std::move(value)) {}
    Result(Failure failure) : m_state(std::move(failure)) {}

    [[nodiscard]] bool ok() const { return m_state.index() == 0; }
    explicit operator bool() const { return ok(); }

    [[nodiscard]] const T &value() const & { return std::get<0>(m_state); }
    [[nodiscard]] T &value() & { return std::get<0>(m_state); }
    [[nodiscard]] T &&value() && { return std::get<0>(std::move(m_state)); }
    [[nodiscard]] const Failure &failure() const { return std::get<1>(m_state); }

    const T *operator->() const { return &value(); }
    T *operator->() { return &value(); }

private:
    std::variant<T, Failure> m_state;
};

// For operations that produce nothing but success.
struct Done
{
};

} // namespace quenloft
