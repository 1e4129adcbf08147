#include "mainwnd/EditorDraft.h"

#include "base/Settings.h"
#include "base/StoredNames.h"

EditorDraft::EditorDraft(Settings& settings)
    : m_settings(settings)
{}

void EditorDraft::Keep(const Draft& draft)
{
    const Draft kept = draft.text.empty() ? Draft() : draft;
    if (m_written && *m_written == kept)
        return;
    // No draft is written as view 0, as before. The text last: a draft is
    // whole once its text is there.
    const int view = kept.text.empty() ? 0 : MaskOf(kept.view);
    const bool written = m_settings.WriteInt(stored::kDraftSection, stored::kDraftView, view) &&
                         m_settings.WriteString(stored::kDraftSection, stored::kDraftTime, kept.time) &&
                         m_settings.WriteString(stored::kDraftSection, stored::kDraftRepeat, kept.repeat) &&
                         m_settings.WriteString(stored::kDraftSection, stored::kDraftText, kept.text);
    if (written)
        m_written = kept;
    else
        m_written.reset();
}

std::optional<EditorDraft::Draft> EditorDraft::Stored() const
{
    Draft draft;
    draft.text = m_settings.GetString(stored::kDraftSection, stored::kDraftText, "");
    if (draft.text.empty())
        return std::nullopt;
    const int view = m_settings.GetInt(stored::kDraftSection, stored::kDraftView, 0);
    if (view != MaskOf(MainView::Notes) && view != MaskOf(MainView::Reminder))
        return std::nullopt;
    draft.view = static_cast<MainView>(view);
    draft.time = m_settings.GetString(stored::kDraftSection, stored::kDraftTime, "");
    draft.repeat = m_settings.GetString(stored::kDraftSection, stored::kDraftRepeat, "");
    return draft;
}
