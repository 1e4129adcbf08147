#pragma once

#include "mainwnd/MainView.h"

#include <functional>
#include <vector>

// Which view the main window shows, in one place: Set is the only way it
// changes, and whoever shows something of the view (the picture, the
// controls, the keyboard's ring, the screen readers' tree) follows from there.
class ViewState {
public:
    using Follower = std::function<void(MainView view)>;

    MainView Current() const { return m_view; }
    bool Is(MainView view) const { return m_view == view; }
    // A new view: every follower hears of it, in the order they came. The same
    // view again tells nobody.
    void Set(MainView view);
    void Follow(Follower follower) { m_followers.push_back(std::move(follower)); }

private:
    MainView m_view = MainView::Home;
    std::vector<Follower> m_followers;
};
