#include "net/GrowableBuffer.h"

#include <algorithm>
#include <cstring>

void GrowableBuffer::Write(const void* data, size_t count)
{
    const size_t end = m_position + count;
    if (end > m_bytes.size()) {
        // The capacity stays a multiple of the grow step but at least doubles, so
        // a body of many megabytes is not copied once per kilobyte.
        size_t capacity = std::max(end, m_bytes.size() * 2);
        capacity = (capacity + GrowBytes - 1) / GrowBytes * GrowBytes;
        m_bytes.resize(capacity);
    }
    if (count)
        std::memcpy(m_bytes.data() + m_position, data, count);
    m_position = end;
    m_length = std::max(m_length, end);
}
