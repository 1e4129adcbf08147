#pragma once

#include "image/DisplayScale.h"

#include <windows.h>

class CWnd;
class NotePictures;
class PLDIBSection;
class SoundBoard;

// The alert of a due reminder's window: the alert sound, then the window shakes
// for a while, then the alert picture blinks at its top-right corner until the
// user deals with the reminder. Alerts that would cover each other are shifted
// apart. The window routes the timers to the steps here. Without a window (none
// was made) only the state moves on, so the phases and how far the window
// stands from its resting place are the same with or without one.
class NoteAlert {
public:
    static const UINT_PTR TimerShake = 15;
    static const UINT_PTR TimerShakeEnd = 16;
    static const UINT_PTR TimerBlink = 17;
    static const UINT_PTR TimerBlinkOnce = 19;
    // How far right of and below its place a shake puts the window, at 96 DPI.
    static const int kShake = 2;

    // sounds: null, silent.
    NoteAlert(CWnd& window, NotePictures& pictures, SoundBoard* sounds);

    // The window's scale: the alert picture's and the shake's.
    void SetScale(const DisplayScale& scale);

    void Start();
    // Ends the alert; the window goes back by what the alert moved it.
    void Stop();
    bool IsAlerting() const { return m_alerting; }
    void ShiftBy(int dx, int dy);
    // How far the alert has moved the window from its resting place.
    POINT Displacement() const;
    // The alert picture is drawn now.
    bool IsPictureShown() const { return m_blinkState; }

    // Routes the window's timer id to its step; other ids are left alone.
    void OnTimer(UINT_PTR id);
    void ShakeStep();
    // Back at its place, the blinking begins.
    void EndShaking();
    void BlinkStep();
    // The alert picture shown once, for a moment, outside any alert: the
    // window the user looked for.
    void BlinkOnce();
    void EndBlinkOnce();
    // Draws the alert picture while a blink shows it.
    void DrawIfShown(HDC dc) const;

private:
    void MoveBy(int dx, int dy);
    // The alert picture, decoded at its first use; false when it cannot be.
    bool TakePicture();

    CWnd& m_window;
    NotePictures& m_pictures;
    SoundBoard* m_sounds;
    bool m_alerting = false;
    DisplayScale m_scale;
    // How many pixels right of and below its place a shake has put the window
    // (0: at its place); kept, as the scale may change meanwhile.
    int m_shakeOffset = 0;
    bool m_blinkState = false;
    const PLDIBSection* m_alertPicture = nullptr;
    POINT m_alertShift{0, 0};
};
