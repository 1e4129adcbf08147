#include "mainwnd/MainViews.h"

#include "framework/AfxFunctions.h"
#include "framework/CDialog.h"
#include "mainwnd/ViewControls.h"
#include "mainwnd/PictureFace.h"
#include "model/ZorlaModel.h"
#include "resource.h"
#include "shared/AppFont.h"
#include "shared/ErrorReport.h"
#include "shared/WebAddresses.h"
#include "sound/SoundBoard.h"
#include "mainwnd/CityList.h"
#include "widgets/StoreProblemMessage.h"

#include <commctrl.h>

#include <optional>

namespace {

const COLORREF kEditorTextColor = RGB(0, 101, 136);
const COLORREF kCalendarTitleColor = RGB(1, 82, 138);
const int kEditorLimitReminder = 50;

}  // namespace

MainViews::MainViews(CDialog& window, PictureFace& handler, ZorlaModel& model, SoundBoard& sounds,
                     EditorDraft& draft)
    : m_window(window)
    , m_handler(handler)
    , m_model(model)
    , m_sounds(sounds)
    , m_draft(draft)
{}

void MainViews::EnsureControls()
{
    if (::GetDlgItem(m_window.m_hWnd, IDC_EDITOR_TEXT))
        return;
    // The date pickers' window class comes with the common controls.
    InitCommonControls();
    ViewControls::Create(m_window.m_hWnd, m_handler.Scale());
    ::SendDlgItemMessageA(m_window.m_hWnd, IDC_DATE_PICKER, DTM_SETMCCOLOR, MCSC_TITLEBK, kCalendarTitleColor);
    ::SendDlgItemMessageA(m_window.m_hWnd, IDC_TIME_PICKER, DTM_SETFORMATA, 0, reinterpret_cast<LPARAM>("H:mm"));
    ViewControls::FillRepeatChoices(m_window.m_hWnd);
    m_editor.SubclassDlgItem(IDC_EDITOR_TEXT, &m_window);
    m_editor.SetTextColor(kEditorTextColor);
    m_editor.RepaintBackground();
    SetFontOnChildren(m_window.m_hWnd, AppFont::Shared(m_handler.Scale().Dpi()));
    // After the font: the link underlines the font it finds.
    ::SetDlgItemTextA(m_window.m_hWnd, IDC_WEBLINK, ZORLA_BRAND_HOST);
    m_webLink.SetURL(ZORLA_BRAND_URL);
    m_webLink.SubclassDlgItem(IDC_WEBLINK, &m_window);
    m_window.UpdateData(FALSE);
    ViewControls::ShowFor(m_window.m_hWnd, m_handler.GetView());
}

void MainViews::Rescale()
{
    if (!::GetDlgItem(m_window.m_hWnd, IDC_EDITOR_TEXT))
        return;
    const DisplayScale& scale = m_handler.Scale();
    ViewControls::Place(m_window.m_hWnd, scale);
    const HFONT font = AppFont::Shared(scale.Dpi());
    SetFontOnChildren(m_window.m_hWnd, font);
    m_webLink.SetUnderlinedFont(font);
    m_editor.RepaintBackground();
}

bool MainViews::LeaveView(int target)
{
    const int current = m_handler.GetView();
    if (current == target)
        return true;
    // The note editor files its note whenever it is left; the reminder editor
    // only on the way home.
    if (current == PictureFace::ViewNotes)
        return SaveEditor(PictureFace::ViewNotes);
    if (current == PictureFace::ViewReminder && target == PictureFace::ViewHome)
        return SaveEditor(PictureFace::ViewReminder);
    return true;
}

// The editor keeps the text, date and time until the entry is safely in the
// model; the model's listener opens its note window.
bool MainViews::SaveEditor(int view)
{
    const std::string typed = GetWindowTextString(m_editor.m_hWnd);
    const ZorlaModel::AddResult result =
        view == PictureFace::ViewReminder
            ? m_model.AddReminder(typed, ViewControls::ChosenReminderTime(m_window.m_hWnd), m_model.GetClock().Now(),
                                  ViewControls::ChosenRepeat(m_window.m_hWnd))
            : m_model.AddNote(typed);
    switch (result) {
    case ZorlaModel::AddResult::Added:
        SetWindowTextString(m_editor.m_hWnd, "");
        m_draft.Clear();
        ViewControls::ChooseOnce(m_window.m_hWnd);
        break;
    case ZorlaModel::AddResult::NothingTyped: m_draft.Clear(); return true;
    case ZorlaModel::AddResult::InPast: ShowResourceMessage(IDS_APPOINTMENT_IN_PAST, MB_ICONINFORMATION); break;
    case ZorlaModel::AddResult::BadDate: ReportError(IDS_UNHANDLED_EXCEPTION, __FILE__, __LINE__); break;
    // The store has no document (its file is locked or damaged beyond moving
    // aside): the user stays in the editor with everything typed.
    case ZorlaModel::AddResult::Refused: ReportError(IDS_WRITE_ERROR, __FILE__, __LINE__); break;
    }
    // A full disk keeps the entry, which is written again later.
    ShowStoreProblems();
    return result == ZorlaModel::AddResult::Added;
}

void MainViews::KeepDraft()
{
    const int view = m_handler.GetView();
    if (!m_editor.m_hWnd || (view != PictureFace::ViewNotes && view != PictureFace::ViewReminder))
        return;
    EditorDraft::Draft draft;
    draft.view = view;
    draft.text = GetWindowTextString(m_editor.m_hWnd);
    if (view == PictureFace::ViewReminder) {
        draft.time = ViewControls::ChosenReminderTime(m_window.m_hWnd).Format("%m/%d/%Y %H:%M:%S");
        draft.repeat = RepeatName(ViewControls::ChosenRepeat(m_window.m_hWnd));
    }
    m_draft.Keep(draft);
}

void MainViews::RestoreDraft()
{
    const std::optional<EditorDraft::Draft> draft = m_draft.Stored();
    if (!draft || (draft->view != PictureFace::ViewNotes && draft->view != PictureFace::ViewReminder))
        return;
    OpenEditor(draft->view);
    if (m_handler.GetView() != draft->view)
        return;
    SetWindowTextString(m_editor.m_hWnd, draft->text);
    const int length = ::GetWindowTextLengthW(m_editor.m_hWnd);
    m_editor.SendMessage(EM_SETSEL, length, length);
    COleDateTime time;
    if (draft->view != PictureFace::ViewReminder)
        return;
    if (time.ParseDateTime(draft->time.c_str()))
        ViewControls::ShowReminderTime(m_window.m_hWnd, time);
    ViewControls::ChooseRepeat(m_window.m_hWnd, RepeatFromName(draft->repeat));
}

void MainViews::SetView(int view)
{
    const int current = m_handler.GetView();
    if (view != current) {
        // Leaving the weather view hands over the chosen city.
        if (current == PictureFace::ViewWeather)
            m_window.UpdateData(TRUE);
        m_handler.SetViewValue(view);
        // The whole window is repainted just below: once, not twice.
        m_handler.ApplyViewRegion(view, false);
    }
    // The controls change without drawing: the whole window, controls and
    // all, is drawn once just below.
    ViewControls::ShowFor(m_window.m_hWnd, view, false);
    ::RedrawWindow(m_window.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void MainViews::GoHome()
{
    if (!LeaveView(PictureFace::ViewHome) || !m_handler.LoadBackground(IDP_HOME))
        return;
    SetView(PictureFace::ViewHome);
    m_sounds.PlayGreeting();
}

void MainViews::GoWeather()
{
    EnsureControls();
    if (!LeaveView(PictureFace::ViewWeather) || !m_handler.LoadBackground(IDP_WEATHER))
        return;
    SetView(PictureFace::ViewWeather);
}

void MainViews::OpenEditor(int view)
{
    EnsureControls();
    if (!LeaveView(view))
        return;
    const bool reminder = view == PictureFace::ViewReminder;
    if (reminder) {
        m_editor.SendMessage(EM_LIMITTEXT, kEditorLimitReminder, 0);
        ViewControls::ProposeReminderTime(m_window.m_hWnd, m_model.GetClock().Now());
    } else {
        m_editor.SendMessage(EM_LIMITTEXT, static_cast<WPARAM>(-1), 0);
    }
    if (!m_handler.LoadBackground(reminder ? IDP_TIMER_EDITOR : IDP_NOTE_EDITOR))
        return;
    SetView(view);
    ::SetFocus(m_editor.m_hWnd);
}

void MainViews::ShowWeatherText(const std::string& text, HDC dc)
{
    m_handler.ShowWeatherText(text, dc);
}

void MainViews::RefreshCityList()
{
    EnsureControls();
    std::string city = m_model.City();
    const std::optional<std::string> text =
        CityList::Fill(::GetDlgItem(m_window.m_hWnd, IDC_CITY_LIST), m_model.WeatherRecords(), city);
    m_model.SelectCity(city);
    if (text)
        ShowWeatherText(*text);
}

void MainViews::OnCitySelChange()
{
    std::string city = m_model.City();
    ShowWeatherText(
        CityList::OnSelChange(::GetDlgItem(m_window.m_hWnd, IDC_CITY_LIST), m_model.WeatherRecords(), city));
    m_model.SelectCity(city);
}

void MainViews::ShowStoreProblems()
{
    for (const StoreProblem& problem : m_model.TakeProblems())
        StoreProblemMessage::Show(problem);
}

void MainViews::FollowWebLink()
{
    EnsureControls();
    m_webLink.FollowLink();
}
