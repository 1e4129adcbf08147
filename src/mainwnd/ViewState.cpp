#include "mainwnd/ViewState.h"

void ViewState::Set(MainView view)
{
    if (view == m_view)
        return;
    m_view = view;
    for (const Follower& follower : m_followers)
        follower(view);
}
