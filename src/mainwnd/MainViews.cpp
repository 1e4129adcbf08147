#include "mainwnd/MainViews.h"

#include "framework/AfxFunctions.h"
#include "framework/CDataExchange.h"
#include "framework/CDialog.h"
#include "mainwnd/ViewControls.h"
#include "mainwnd/MainWindowServices.h"
#include "mainwnd/PictureFace.h"
#include "mainwnd/ViewState.h"
#include "model/ZorlaModel.h"
#include "resource.h"
#include "shared/AppFont.h"
#include "shared/SharedFont.h"
#include "shared/ErrorReport.h"
#include "shared/WebAddresses.h"
#include "sound/SoundBoard.h"
#include "mainwnd/CityList.h"
#include "weather/CityTable.h"

#include <commctrl.h>

#include <optional>

namespace {

const COLORREF kEditorTextColor = RGB(0, 101, 136);
const COLORREF kCalendarTitleColor = RGB(1, 82, 138);
const int kEditorLimitReminder = 50;

}  // namespace

MainViews::MainViews(CDialog& window, ViewState& views, PictureFace& face, MainWindowServices& services)
    : m_window(window)
    , m_views(views)
    , m_face(face)
    , m_services(services)
    , m_model(services.Model())
    , m_sounds(services.Sounds())
    , m_draft(services.Draft())
{
    m_views.Follow([this](MainView view) { ViewControls::ShowFor(m_window.m_hWnd, view, false); });
}

void MainViews::EnsureControls()
{
    if (::GetDlgItem(m_window.m_hWnd, IDC_EDITOR_TEXT))
        return;
    // The date pickers' window class comes with the common controls.
    InitCommonControls();
    ViewControls::Create(m_window.m_hWnd, m_face.Scale());
    ::SendDlgItemMessageA(m_window.m_hWnd, IDC_DATE_PICKER, DTM_SETMCCOLOR, MCSC_TITLEBK, kCalendarTitleColor);
    ::SendDlgItemMessageA(m_window.m_hWnd, IDC_TIME_PICKER, DTM_SETFORMATA, 0, reinterpret_cast<LPARAM>("H:mm"));
    ViewControls::FillRepeatChoices(m_window.m_hWnd);
    m_editor.SubclassDlgItem(IDC_EDITOR_TEXT, &m_window);
    m_editor.SetTextColor(kEditorTextColor);
    m_editor.RepaintBackground();
    SetFontOnChildren(m_window.m_hWnd, SharedFont(m_face.Scale().Dpi()));
    // After the font: the link underlines the font it finds.
    ::SetDlgItemTextA(m_window.m_hWnd, IDC_WEBLINK, ZORLA_BRAND_HOST);
    m_webLink.SetURL(ZORLA_BRAND_URL);
    m_webLink.SubclassDlgItem(IDC_WEBLINK, &m_window);
    m_window.UpdateData(FALSE);
    ViewControls::ShowFor(m_window.m_hWnd, m_views.Current());
}

void MainViews::Rescale()
{
    if (!::GetDlgItem(m_window.m_hWnd, IDC_EDITOR_TEXT))
        return;
    const DisplayScale& scale = m_face.Scale();
    ViewControls::Place(m_window.m_hWnd, scale);
    const HFONT font = SharedFont(scale.Dpi());
    SetFontOnChildren(m_window.m_hWnd, font);
    m_webLink.SetUnderlinedFont(font);
    m_editor.RepaintBackground();
}

bool MainViews::LeaveView(MainView target)
{
    const MainView current = m_views.Current();
    if (current == target)
        return true;
    // The note editor files its note whenever it is left; the reminder editor
    // only on the way home.
    if (current == MainView::Notes)
        return SaveEditor(MainView::Notes);
    if (current == MainView::Reminder && target == MainView::Home)
        return SaveEditor(MainView::Reminder);
    return true;
}

// The editor keeps the text, date and time until the entry is safely in the
// model; the model's listener opens its note window.
bool MainViews::SaveEditor(MainView view)
{
    const std::string typed = GetWindowTextString(m_editor.m_hWnd);
    const ZorlaModel::AddResult result =
        view == MainView::Reminder
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
    m_services.ShowStoreProblems();
    return result == ZorlaModel::AddResult::Added;
}

void MainViews::KeepDraft()
{
    const MainView view = m_views.Current();
    if (!m_editor.m_hWnd || (view != MainView::Notes && view != MainView::Reminder))
        return;
    EditorDraft::Draft draft;
    draft.view = view;
    draft.text = GetWindowTextString(m_editor.m_hWnd);
    if (view == MainView::Reminder) {
        draft.time = ViewControls::ChosenReminderTime(m_window.m_hWnd).Format("%m/%d/%Y %H:%M:%S");
        draft.repeat = RepeatName(ViewControls::ChosenRepeat(m_window.m_hWnd));
    }
    m_draft.Keep(draft);
}

void MainViews::RestoreDraft()
{
    const std::optional<EditorDraft::Draft> draft = m_draft.Stored();
    if (!draft)
        return;
    const MainView editor = draft->view;
    OpenEditor(editor);
    if (!m_views.Is(editor))
        return;
    SetWindowTextString(m_editor.m_hWnd, draft->text);
    const int length = ::GetWindowTextLengthW(m_editor.m_hWnd);
    m_editor.SendMessage(EM_SETSEL, length, length);
    DateTime time;
    if (editor != MainView::Reminder)
        return;
    if (time.ParseDateTime(draft->time.c_str()))
        ViewControls::ShowReminderTime(m_window.m_hWnd, time);
    ViewControls::ChooseRepeat(m_window.m_hWnd, RepeatFromName(draft->repeat));
}

// The picture takes the view's outline and the controls show or hide without
// drawing, as the view state tells them: the whole window, controls and all,
// is drawn once just below.
void MainViews::SetView(MainView view)
{
    // Leaving the weather view hands over the chosen city.
    if (view != m_views.Current() && m_views.Is(MainView::Weather))
        m_window.UpdateData(TRUE);
    m_views.Set(view);
    ::RedrawWindow(m_window.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void MainViews::GoHome()
{
    if (!LeaveView(MainView::Home) || !m_face.LoadBackground(IDP_HOME))
        return;
    SetView(MainView::Home);
    m_sounds.PlayGreeting();
}

void MainViews::GoWeather()
{
    EnsureControls();
    if (!LeaveView(MainView::Weather) || !m_face.LoadBackground(IDP_WEATHER))
        return;
    SetView(MainView::Weather);
    AskForWeatherIfOld();
}

void MainViews::OpenEditor(MainView view)
{
    EnsureControls();
    if (!LeaveView(view))
        return;
    const bool reminder = view == MainView::Reminder;
    if (reminder) {
        m_editor.SendMessage(EM_LIMITTEXT, kEditorLimitReminder, 0);
        ViewControls::ProposeReminderTime(m_window.m_hWnd, m_model.GetClock().Now());
    } else {
        m_editor.SendMessage(EM_LIMITTEXT, static_cast<WPARAM>(-1), 0);
    }
    if (!m_face.LoadBackground(reminder ? IDP_REMINDER_EDITOR : IDP_NOTE_EDITOR))
        return;
    SetView(view);
    ::SetFocus(m_editor.m_hWnd);
}

void MainViews::ShowWeatherText(const std::string& text, HDC dc)
{
    const bool changed = text != m_face.GetWeatherText();
    m_face.ShowWeatherText(text, dc);
    // Screen readers find the weather text among the window's children.
    if (changed && m_window.m_hWnd)
        ::NotifyWinEvent(EVENT_OBJECT_REORDER, m_window.m_hWnd, OBJID_CLIENT, CHILDID_SELF);
}

// The open service's forecast in the units the user chose.
std::string MainViews::ForecastText()
{
    return CityList::ForecastText(m_model.Forecasts(), Now(), ReadWeatherUnits(m_services.Registry()));
}

void MainViews::RefreshCityList()
{
    EnsureControls();
    // While the user types, the list holds the offered places.
    if (m_suggestions.IsShowing())
        return;
    std::vector<std::string> chosen;
    for (const City& place : m_model.ChosenPlaces().Places())
        chosen.push_back(place.name);
    std::string city = m_model.City();
    const std::optional<std::string> text = CityList::Fill(CityBox(), chosen, m_model.WeatherRecords(), city);
    m_model.SelectCity(city);
    if (!m_model.Forecasts().ShowsBrand())
        ShowWeatherText(ForecastText());
    else if (text)
        ShowWeatherText(*text);
}

void MainViews::OnCitySelChange()
{
    // Arrowing through offered places chooses none until one is taken.
    if (m_suggestions.IsShowing())
        return;
    std::string city = m_model.City();
    const std::string text = CityList::OnSelChange(CityBox(), m_model.WeatherRecords(), city);
    m_model.SelectCity(city);
    ShowWeatherText(m_model.Forecasts().ShowsBrand() ? text : ForecastText());
    AskForWeatherIfOld();
}

void MainViews::OnCityTyped()
{
    m_suggestions.OnEditChange(CityBox(), m_services.Cities());
}

bool MainViews::TakeCitySuggestion(bool firstIfNone)
{
    std::optional<City> place = m_suggestions.Selected(CityBox());
    if (!place && firstIfNone)
        place = m_suggestions.First();
    if (!place)
        return false;
    m_suggestions.End();
    ::SendMessageW(CityBox(), CB_SHOWDROPDOWN, FALSE, 0);
    m_model.ChoosePlace(*place);
    RefreshCityList();
    AskForWeatherIfOld();
    return true;
}

void MainViews::EndCitySuggestions()
{
    if (!m_suggestions.IsShowing())
        return;
    m_suggestions.End();
    RefreshCityList();
}

std::int64_t MainViews::Now() const
{
    return static_cast<std::int64_t>(m_model.GetClock().UniversalMilliseconds() / 1000);
}

HWND MainViews::CityBox() const
{
    return ::GetDlgItem(m_window.m_hWnd, IDC_CITY_LIST);
}

void MainViews::AskForWeatherIfOld()
{
    if (!m_model.Forecasts().ShowsFreshWeather() && !m_model.IsWeatherUpdateInProgress())
        m_services.RunCommand(ID_UPDATE_WEATHER);
}

void MainViews::ExchangeCity(CDataExchange* pDX)
{
    HWND cities = ::GetDlgItem(m_window.m_hWnd, IDC_CITY_LIST);
    if (!cities)
        return;
    // While the list has no selection (no weather fetched yet) the remembered city
    // stays; reading the empty list would overwrite it with nothing.
    const bool noSelection = ::SendMessageA(cities, CB_GETCURSEL, 0, 0) == CB_ERR;
    if (pDX->m_bSaveAndValidate && (noSelection || m_suggestions.IsShowing()))
        return;
    std::string city = m_model.City();
    DDX_CBString(pDX, IDC_CITY_LIST, city);
    m_model.SelectCity(city);
}

void MainViews::FollowWebLink()
{
    EnsureControls();
    m_webLink.FollowLink();
}
