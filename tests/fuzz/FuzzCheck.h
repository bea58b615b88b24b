// A broken rule in a fuzz target: say which and abort, which libFuzzer reports as a finding
// and keeps the input for.
#pragma once

#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(condition, rule)                                                                \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "fuzz rule broken: %s (%s:%d)\n", rule, __FILE__, __LINE__);      \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

namespace quenloft::fuzz {

// Takes bytes off the front of the input; zeros once it is used up.
class ByteReader
{
public:
    ByteReader(const unsigned char *data, std::size_t size) : m_data(data), m_size(size) {}
    unsigned char take() { return m_at < m_size ? m_data[m_at++] : 0; }
    unsigned take16() { return unsigned(take()) | unsigned(take()) << 8; }
    // Up to `count` bytes.
    const char *takeBytes(std::size_t &count)
    {
        const char *start = reinterpret_cast<const char *>(m_data + m_at);
        count = count < m_size - m_at ? count : m_size - m_at;
        m_at += count;
        return start;
    }
    [[nodiscard]] std::size_t left() const { return m_size - m_at; }

private:
    const unsigned char *m_data;
    std::size_t m_size;
    std::size_t m_at = 0;
};

} // namespace quenloft::fuzz
