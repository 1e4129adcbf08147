#pragma once

#include "image/DisplayScale.h"
#include "image/JpegDecoder.h"
#include "image/PLDIBSection.h"
#include "mainwnd/HotSpot.h"
#include "mainwnd/ViewState.h"

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class SoundBoard;

// The main window's face: its pictures, hot spots, blinking, status line and
// weather text. All drawing outside WM_PAINT goes straight to the main
// window's DC and is gone at the next repaint.
class PictureFace {
public:
    // What a click on a hot spot does: the hot spot's id.
    using HotSpotAction = std::function<void(int id)>;

    // Decodes the home picture, which the first paint needs, and creates the
    // hot spots; a picture that cannot be decoded is reported and leaves the
    // face incomplete. It shows the view of views, taking the view's outline
    // as it changes. Hover sounds go to sounds.
    PictureFace(SoundBoard& sounds, ViewState& views);
    ~PictureFace();
    PictureFace(const PictureFace&) = delete;
    PictureFace& operator=(const PictureFace&) = delete;

    // The pictures the first paint does not need: the weather page's copy, the
    // closed eyes and the hover pictures. Once; false (reported) leaves the
    // handler incomplete.
    bool DecodeRest();
    bool IsComplete() const { return m_complete; }

    // The scale the pictures, hot spots and texts are made for; the system's
    // at first. A new scale decodes the pictures again and makes the hot
    // spots anew; the caller sizes and repaints the window.
    const DisplayScale& Scale() const { return m_scale; }
    bool SetScale(const DisplayScale& scale);

    void Attach(HWND mainWindow)
    {
        m_window = mainWindow;
        m_appliedRegion = 0;
    }
    HWND Window() const { return m_window; }
    void SetHotSpotAction(HotSpotAction action) { m_action = std::move(action); }

    MainView GetView() const { return m_views.Current(); }
    // Region 115 for the home view, 116 for the others. Without redraw the
    // caller repaints the window itself.
    bool ApplyViewRegion(MainView view, bool redraw = true);
    // On a decoder failure: MessageBeep(-1), false, and the background stays.
    bool LoadBackground(int id);
    // Decodes a view's picture ahead, so the first change to that view only
    // swaps bitmaps; a picture that cannot be decoded is left for LoadBackground.
    void PrepareBackground(int id);

    // Marks the active hot spots under the pointer as hovered; true when any is.
    bool UpdateHover(POINT screenPoint);
    // Runs the action of the first active hot spot containing the point.
    bool Click(POINT windowPoint);
    bool HitTest(POINT windowPoint) const;
    // One step of the blink: draws or removes the closed eyes; the new phase.
    bool BlinkStep();
    void Paint(HDC dc);

    // The status line of the weather view. A transient text is drawn once and
    // forgotten; timer 11 of the main window clears it from the screen after
    // 5 s. Without dc the main window's DC is used.
    void ShowStatus(const std::string& text, bool transient, HDC dc = nullptr);
    void ShowWeatherText(const std::string& text, HDC dc = nullptr);
    const std::string& GetStatusText() const { return m_statusText; }
    const std::string& GetWeatherText() const { return m_weatherText; }

    const PLDIBSection& Background() const { return m_background; }
    const std::vector<std::unique_ptr<HotSpot>>& HotSpots() const { return m_hotSpots; }

    // Fixed places at 96 DPI; the window has them at Scale().
    static const RECT kStatusRect;
    // What drawing the status line covers: the rectangle and its shadow's reach.
    static RECT StatusArea();
    static const RECT kWeatherTextRect;
    static const RECT kBlinkRectHome;
    static const RECT kBlinkRectOther;

private:
    // Decodes picture id; a failure is shown with the decoder's text.
    bool Decode(int id, PLDIBSection& picture);
    // The same without a word: the caller decides what a failure costs.
    bool DecodeQuietly(int id, PLDIBSection& picture);
    // Decodes a piece of art cut at origin of the 96-DPI picture; where it goes.
    RECT DecodePiece(int id, POINT origin, PLDIBSection& picture);
    void DecodeHoverPictures();
    void CreateHotSpots();
    RECT ScaledStatusArea() const;
    bool IsActiveAt(const HotSpot& spot, POINT windowPoint) const;
    void DrawStatus(HDC dc);
    void DrawWeatherText(HDC dc);

    std::string m_statusText;
    std::string m_weatherText;
    JpegDecoder m_decoder;
    PLDIBSection m_background;
    int m_backgroundId = 0;
    int m_appliedRegion = 0;                      // the region resource the window has, 0 for none yet
    std::map<int, PLDIBSection> m_shownPictures;  // earlier backgrounds, by picture id
    PLDIBSection m_weatherCopy;
    PLDIBSection m_blinkOther;
    PLDIBSection m_blinkHome;
    RECT m_blinkOtherAt{};
    RECT m_blinkHomeAt{};
    DisplayScale m_scale;
    std::vector<std::unique_ptr<HotSpot>> m_hotSpots;
    SoundBoard& m_sounds;
    HWND m_window = nullptr;
    ViewState& m_views;
    HotSpotAction m_action;
    bool m_complete = false;
    bool m_restDecoded = false;
    struct PendingHover {
        HotSpot* spot;
        int picture;
        RECT at;
    };
    std::vector<PendingHover> m_pendingHovers;
    bool m_blinkPhase = false;
};
