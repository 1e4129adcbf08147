#include "mainwnd/PictureTextAccess.h"

#include "mainwnd/PictureFace.h"

bool PictureTextAccess::Find(long index, const std::string** text, RECT* place) const
{
    if (m_face.GetView() != MainView::Weather)
        return false;
    const struct {
        const std::string& text;
        RECT place;
    } shown[] = {
        {m_face.GetStatusText(), PictureFace::kStatusRect},
        {m_face.GetWeatherText(), PictureFace::kWeatherTextRect},
    };
    for (const auto& item : shown) {
        if (item.text.empty())
            continue;
        if (index-- == 0) {
            *text = &item.text;
            *place = m_face.Scale().Rect(item.place);
            return true;
        }
    }
    return false;
}

long PictureTextAccess::Count() const
{
    long count = 0;
    const std::string* text = nullptr;
    RECT place{};
    while (Find(count, &text, &place))
        ++count;
    return count;
}

std::string PictureTextAccess::Name(long index) const
{
    const std::string* text = nullptr;
    RECT place{};
    return Find(index, &text, &place) ? *text : std::string();
}

bool PictureTextAccess::ScreenRect(HWND window, long index, RECT& rect) const
{
    const std::string* text = nullptr;
    if (!Find(index, &text, &rect))
        return false;
    ::MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return true;
}

long PictureTextAccess::IndexAt(HWND window, POINT screenPoint) const
{
    RECT rect{};
    for (long index = 0; ScreenRect(window, index, rect); ++index)
        if (::PtInRect(&rect, screenPoint))
            return index;
    return -1;
}
