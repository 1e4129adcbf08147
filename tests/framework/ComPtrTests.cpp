#include "framework/ComPtr.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

// A COM object that counts its references, so a test sees each Release.
class CountedObject : public IUnknown {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override
    {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override { return --references; }

    ULONG references = 1;
};

// Stands for a call that hands back a new reference through an out parameter.
void HandOut(CountedObject& object, IUnknown** out)
{
    object.AddRef();
    *out = &object;
}

TEST(ComPtr, ReleasesTheReferenceItTookOverOnce)
{
    CountedObject object;
    {
        ComPtr<IUnknown> owner(&object);
        EXPECT_TRUE(owner);
        EXPECT_EQ(owner.get(), &object);
        EXPECT_EQ(object.references, 1u);
    }
    EXPECT_EQ(object.references, 0u);
}

TEST(ComPtr, MovingHandsTheReferenceOver)
{
    CountedObject kept;
    CountedObject replaced;
    ComPtr<IUnknown> first(&kept);
    {
        ComPtr<IUnknown> second(std::move(first));
        EXPECT_FALSE(first);
        EXPECT_EQ(second.get(), &kept);

        ComPtr<IUnknown> third(&replaced);
        third = std::move(second);
        EXPECT_EQ(replaced.references, 0u) << "the target's old object is released";
        EXPECT_EQ(kept.references, 1u);
    }
    EXPECT_EQ(kept.references, 0u);
}

TEST(ComPtr, PutReleasesTheOldObjectBeforeTheCallFillsItIn)
{
    CountedObject old;
    CountedObject fresh;
    ComPtr<IUnknown> owner(&old);
    HandOut(fresh, owner.put());
    EXPECT_EQ(old.references, 0u);
    EXPECT_EQ(owner.get(), &fresh);
    EXPECT_EQ(fresh.references, 2u);
    owner.reset();
    EXPECT_EQ(fresh.references, 1u);
}

TEST(ComPtr, ReleaseGivesTheReferenceAwayAndResetToTheSameObjectKeepsIt)
{
    CountedObject object;
    ComPtr<IUnknown> owner(&object);
    owner.reset(&object);
    EXPECT_EQ(object.references, 1u);
    EXPECT_EQ(owner.release(), &object);
    EXPECT_FALSE(owner);
    owner.reset();
    EXPECT_EQ(object.references, 1u) << "a released reference is the caller's";
}

}  // namespace
