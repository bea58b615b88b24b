// A member of frmMain under its classic name (strMode, blnDirtyData, …) that reads, and
// where it may be set writes, a property of the edit session, so the window keeps the
// names the rest of the program uses without keeping a copy of the state.
#pragma once

#include <functional>
#include <utility>

namespace quenloft {

enum class Mirror { ReadOnly, Writable };

template <typename T, Mirror Access = Mirror::ReadOnly> class SessionMirror
{
public:
    using Getter = std::function<T()>;
    using Setter = std::function<void(const T &)>;

    explicit SessionMirror(Getter get) requires(Access == Mirror::ReadOnly) : m_get(std::move(get))
    {
    }
    SessionMirror(Getter get, Setter set) requires(Access == Mirror::Writable)
        : m_get(std::move(get)), m_set(std::move(set))
    {
    }
    SessionMirror(const SessionMirror &) = delete;

    operator T() const { return m_get(); }
    SessionMirror &operator=(const T &value) requires(Access == Mirror::Writable)
    {
        m_set(value);
        return *this;
    }

private:
    Getter m_get;
    Setter m_set;
};

} // namespace quenloft
