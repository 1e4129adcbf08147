// The alert of a due reminder on its own: the phases, how far it moves the
// window, and that stopping it puts the window back.
#include "framework/CWnd.h"
#include "framework/Handles.h"
#include "notes/NoteAlert.h"
#include "notes/NotePictures.h"
#include "resource.h"
#include "shared/MainSettings.h"
#include "support/HeardSounds.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

POINT TopLeft(HWND window)
{
    RECT rect{};
    ::GetWindowRect(window, &rect);
    return POINT{rect.left, rect.top};
}

}  // namespace

TEST(NoteAlertTest, WithoutAWindowThePhasesAndTheDisplacementStillFollowTheAlert)
{
    CWnd none;
    NotePictures pictures;
    NoteAlert alert(none, pictures, nullptr);
    alert.Start();
    EXPECT_TRUE(alert.IsAlerting());
    alert.ShiftBy(16, 8);
    alert.ShakeStep();
    EXPECT_EQ(18, alert.Displacement().x);
    EXPECT_EQ(10, alert.Displacement().y);
    alert.ShakeStep();
    EXPECT_EQ(16, alert.Displacement().x) << "the second step goes back";
    alert.ShakeStep();
    alert.EndShaking();
    EXPECT_EQ(16, alert.Displacement().x) << "the shaking ends at the place, the shift stays";
    EXPECT_EQ(8, alert.Displacement().y);

    alert.BlinkStep();
    EXPECT_TRUE(alert.IsPictureShown());
    alert.BlinkStep();
    EXPECT_FALSE(alert.IsPictureShown());
    alert.BlinkStep();
    alert.Stop();
    EXPECT_FALSE(alert.IsAlerting());
    EXPECT_FALSE(alert.IsPictureShown());
    EXPECT_EQ(0, alert.Displacement().x);
    EXPECT_EQ(0, alert.Displacement().y);
}

TEST(NoteAlertTest, StoppingMidShakeAfterAShiftPutsTheWindowBackAtItsPlace)
{
    WindowHandle popup(::CreateWindowExA(0, "STATIC", "alert", WS_POPUP, 300, 200, 100, 80, nullptr, nullptr,
                                         ::GetModuleHandleA(nullptr), nullptr));
    ASSERT_TRUE(popup);
    CWnd window(popup.get());
    NotePictures pictures;
    MainSettings settings;
    settings.playSounds = 1;
    HeardSounds sounds(settings);
    NoteAlert alert(window, pictures, &sounds);

    alert.Start();
    EXPECT_EQ(std::vector<int>{IDW_ALERT}, sounds.played);
    alert.ShiftBy(16, 0);
    alert.ShakeStep();
    EXPECT_EQ(318, TopLeft(popup.get()).x);
    EXPECT_EQ(202, TopLeft(popup.get()).y);
    alert.Stop();
    EXPECT_EQ(300, TopLeft(popup.get()).x);
    EXPECT_EQ(200, TopLeft(popup.get()).y);
}
