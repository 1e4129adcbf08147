#pragma once

#include <cstddef>
#include <vector>

// An in-memory byte file: writes go to the current position and overwrite what
// is there, so rewinding and writing a shorter content leaves the old tail in
// place. Its length is the furthest point ever written.
class GrowableBuffer {
public:
    static constexpr size_t GrowBytes = 1024;

    void Rewind() { m_position = 0; }
    // Throws std::bad_alloc when the memory cannot grow.
    void Write(const void* data, size_t count);

    size_t GetLength() const { return m_length; }
    const char* GetData() const { return m_bytes.data(); }

private:
    std::vector<char> m_bytes;  // its size is the capacity; m_length of it is in use
    size_t m_length = 0;
    size_t m_position = 0;
};
