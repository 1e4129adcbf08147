#pragma once

#include "mainwnd/CitySuggestions.h"
#include "mainwnd/EditorDraft.h"
#include "mainwnd/MainView.h"
#include "widgets/CHyperLink.h"
#include "widgets/CTransparentEdit.h"

#include <windows.h>

#include <string>

class CDataExchange;
class CDialog;
class SoundBoard;
class MainWindowServices;
class PictureFace;
class ViewState;
class ZorlaModel;

// The main window's four views and their controls: going from one to another,
// the editors that file notes and reminders on the way out, and the weather
// view's city list. The dialog's data exchange carries the chosen city.
class MainViews {
public:
    // The views change through views; the picture, controls and keyboard follow
    // it. The model, sounds and drafts are the program's services'.
    MainViews(CDialog& window, ViewState& views, PictureFace& face, MainWindowServices& services);

    // Creates the controls of the other views, once; the views call it too, so
    // none has to wait for the start-up steps.
    void EnsureControls();
    // The controls at their places and in the font of the picture's scale.
    void Rescale();

    void GoHome();
    void GoWeather();
    void OpenEditor(MainView view);
    // Turns the editor's text into a new note or reminder; false when it was
    // refused and the view must stay with the text, date and time.
    bool SaveEditor(MainView view);
    // What the open editor holds is kept as a draft, which the next start
    // puts back into its editor.
    void KeepDraft();
    // Opens the editor of an earlier run's draft, with its text and time.
    void RestoreDraft();

    void ShowWeatherText(const std::string& text, HDC dc = nullptr);
    // Rebuilds the city list from the weather document and shows the chosen
    // city's weather.
    void RefreshCityList();
    void OnCitySelChange();
    // The user typed into the city box: the places that begin so are offered.
    void OnCityTyped();
    // The offered place selected (or the first, with firstIfNone) becomes the
    // city and its weather is asked for; false when none was offered.
    bool TakeCitySuggestion(bool firstIfNone);
    // The box lost the user without a place taken: the usual list comes back.
    void EndCitySuggestions();
    bool IsSuggestingCities() const { return m_suggestions.IsShowing(); }
    // The dialog's data exchange: the city list's choice is the model's city.
    void ExchangeCity(CDataExchange* pDX);
    void FollowWebLink();

private:
    // Files the editor's entry when the view it leaves for target asks for it;
    // false when the entry was refused and the view must stay.
    bool LeaveView(MainView target);
    void SetView(MainView view);
    HWND CityBox() const;
    std::string ForecastText();
    std::int64_t Now() const;
    // The weather shown is missing or older than its interval: the user's look
    // counts as asking for it.
    void AskForWeatherIfOld();

    CDialog& m_window;
    ViewState& m_views;
    PictureFace& m_face;
    MainWindowServices& m_services;
    ZorlaModel& m_model;
    SoundBoard& m_sounds;
    CTransparentEdit m_editor;
    CHyperLink m_webLink;
    EditorDraft& m_draft;
    CitySuggestions m_suggestions;
};
