#pragma once

#include "framework/Handles.h"

#include <unknwn.h>

template <typename T>
struct ComReferenceTraits {
    using pointer = T*;
    static bool IsValid(T* object) { return object != nullptr; }
    static void Close(T* object) { object->Release(); }
};

// Owns one reference to a COM object and releases it. Move-only like the handle
// owners in Handles.h: a copy would need an AddRef that nobody remembers to pair.
// The constructor takes over a reference the caller already holds (from a
// Create or QueryInterface).
template <typename T>
class ComPtr : public UniqueHandle<ComReferenceTraits<T>> {
public:
    using UniqueHandle<ComReferenceTraits<T>>::UniqueHandle;

    T* operator->() const noexcept { return this->get(); }

    // For the out parameter of a call that hands back a new reference: releases
    // what was held first, so the old object cannot leak.
    T** put() noexcept
    {
        this->reset();
        return this->address();
    }
    void** put_void() noexcept { return reinterpret_cast<void**>(put()); }
};
