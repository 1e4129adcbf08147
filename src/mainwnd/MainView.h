#pragma once

#include <ostream>

// The four faces of the main window. The numbers are stored (the view of an
// editor's draft) and are the bits of a set of views.
enum class MainView : int {
    Home = 1,
    Weather = 2,
    Notes = 4,
    Reminder = 8,
};

// The views a hot spot or a control shows in.
using ViewMask = int;
constexpr ViewMask MaskOf(MainView view)
{
    return static_cast<ViewMask>(view);
}
constexpr ViewMask kAllViews =
    MaskOf(MainView::Home) | MaskOf(MainView::Weather) | MaskOf(MainView::Notes) | MaskOf(MainView::Reminder);
constexpr ViewMask kViewsButHome = kAllViews & ~MaskOf(MainView::Home);
constexpr bool InViews(ViewMask views, MainView view)
{
    return (views & MaskOf(view)) != 0;
}

// For messages and test output: the view's name.
inline std::ostream& operator<<(std::ostream& out, MainView view)
{
    switch (view) {
    case MainView::Home: return out << "home";
    case MainView::Weather: return out << "weather";
    case MainView::Notes: return out << "notes";
    case MainView::Reminder: return out << "reminder";
    }
    return out << "view " << MaskOf(view);
}
