#pragma once

#include "framework/CWnd.h"

#include <string>

// A list view in report style that says so in one grey line while it has no
// rows, where the list would otherwise stand blank (subclass an existing one).
class CEmptyTextListView : public CWnd {
public:
    // The line shown while there are no rows; empty for none.
    void SetEmptyText(const std::string& text);
    const std::string& EmptyText() const { return m_emptyText; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    LRESULT OnPaint();
    void DrawEmptyText();

    std::string m_emptyText;
};
