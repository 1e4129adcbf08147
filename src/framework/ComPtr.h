#pragma once

#include <unknwn.h>

// Owns one reference to a COM object and releases it. Move-only like the handle
// owners in Handles.h: a copy would need an AddRef that nobody remembers to pair.
template <typename T>
class ComPtr {
public:
    ComPtr() noexcept = default;
    // Takes over a reference the caller already holds (from a Create or QueryInterface).
    explicit ComPtr(T* object) noexcept
        : m_object(object)
    {}
    ~ComPtr() { reset(); }

    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;

    ComPtr(ComPtr&& other) noexcept
        : m_object(other.release())
    {}
    ComPtr& operator=(ComPtr&& other) noexcept
    {
        if (this != &other)
            reset(other.release());
        return *this;
    }

    T* get() const noexcept { return m_object; }
    T* operator->() const noexcept { return m_object; }
    explicit operator bool() const noexcept { return m_object != nullptr; }

    // For the out parameter of a call that hands back a new reference: releases
    // what was held first, so the old object cannot leak.
    T** put() noexcept
    {
        reset();
        return &m_object;
    }
    void** put_void() noexcept { return reinterpret_cast<void**>(put()); }

    T* release() noexcept
    {
        T* object = m_object;
        m_object = nullptr;
        return object;
    }

    void reset(T* object = nullptr) noexcept
    {
        T* old = m_object;
        m_object = object;
        if (old && old != object)
            old->Release();
    }

private:
    T* m_object = nullptr;
};
