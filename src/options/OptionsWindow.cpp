#include "options/OptionsWindow.h"

#include "resource.h"
#include "shared/CAutostart.h"
#include "shared/MainSettings.h"
#include "shared/SharedFont.h"
#include "shared/Translator.h"
#include "weather/WeatherUnits.h"

#include <cstdio>

namespace {

// Each key's field and the text beside it, in the order of GlobalKeys::Bindings.
struct KeyControls {
    UINT field;
    UINT state;
};
const KeyControls kKeyControls[] = {
    {IDC_OPTIONS_NEW_NOTE_KEY, IDC_OPTIONS_NEW_NOTE_STATE},
    {IDC_OPTIONS_SHOW_ALL_KEY, IDC_OPTIONS_SHOW_ALL_STATE},
    {IDC_OPTIONS_FIND_KEY, IDC_OPTIONS_FIND_STATE},
};

// The check boxes run the command menu's rows of the same switch.
struct SwitchControl {
    UINT control;
    UINT command;
};
const SwitchControl kSwitches[] = {
    {IDC_OPTIONS_AUTOSTART, ID_AUTOSTART},
    {IDC_OPTIONS_PLAY_SOUNDS, ID_PLAY_SOUNDS},
    {IDC_OPTIONS_TOP_MOST, ID_TOP_MOST},
    {IDC_OPTIONS_NO_INTERNET, ID_NO_INTERNET},
};

// Their texts are set here, the degree sign among them: the template's are plain ASCII.
struct UnitsChoice {
    UINT control;
    WeatherUnits units;
    const char* text;
};
const UnitsChoice kUnits[] = {
    {IDC_OPTIONS_UNITS_AUTOMATIC, WeatherUnits::Automatic, "A&utomatic"},
    {IDC_OPTIONS_UNITS_CELSIUS, WeatherUnits::Celsius, "&Celsius (°C)"},
    {IDC_OPTIONS_UNITS_FAHRENHEIT, WeatherUnits::Fahrenheit, "Fahr&enheit (°F)"},
};

const char kHeldElsewhere[] = "Used by another program";
const char kNotUnderstood[] = "Not a key Zorla understands";
const char kNeedsModifier[] = "Press it with Ctrl, Alt, Shift or Win";
const char kHeldByZorla[] = "%s is the key of \"%s\" already";

// The command's name as the menu has it, without the dots of a row that opens a window.
std::string CommandName(const GlobalKeys::Binding& binding)
{
    std::string name = Translate(binding.name);
    if (name.size() > 3 && name.compare(name.size() - 3, 3, "...") == 0)
        name.resize(name.size() - 3);
    return name;
}

}  // namespace

OptionsWindow::OptionsWindow(Program program)
    : CDialog(IDD_OPTIONS)
    , m_program(std::move(program))
{
    for (size_t binding = 0; binding < std::size(kKeyControls); ++binding)
        m_keyFields.push_back(
            std::make_unique<KeyField>([this, binding](const HotKey& key) { OnKeyPressed(binding, key); },
                                       [this, binding] { ShowKey(binding, kNeedsModifier); }));
}

OptionsWindow::~OptionsWindow()
{
    // While the fields still exist: they are unhooked on the way.
    if (IsOpen())
        DestroyWindow();
}

bool OptionsWindow::Open(CWnd* owner)
{
    if (!IsOpen()) {
        if (!Create(IDD_OPTIONS, owner))
            return false;
        ShowWindow(SW_SHOW);
    } else if (::IsIconic(m_hWnd)) {
        ShowWindow(SW_RESTORE);
    }
    ::SetForegroundWindow(m_hWnd);
    ::SetFocus(Item(IDC_OPTIONS_NEW_NOTE_KEY));
    return true;
}

BOOL OptionsWindow::OnInitDialog()
{
    CDialog::OnInitDialog();
    TranslateWindow(m_hWnd, -1);
    for (const UnitsChoice& choice : kUnits)
        SetWindowTextString(Item(choice.control), Translate(choice.text));
    m_scale = DisplayScale::ForWindow(m_hWnd);
    SetFontOnChildren(m_hWnd, SharedFont(m_scale.Dpi()));
    for (size_t binding = 0; binding < m_keyFields.size(); ++binding) {
        m_keyFields[binding]->SubclassDlgItem(kKeyControls[binding].field, this);
        HotKey key;
        const bool understood = HotKey::Parse(m_program.keys.SettingText(binding), key);
        ShowKey(binding, !understood                                     ? kNotUnderstood
                         : key.IsSet() && !m_program.keys.Holds(binding) ? kHeldElsewhere
                                                                         : nullptr);
    }
    ShowFolder();
    ShowSwitches();
    const WeatherUnits units = ReadWeatherUnits(m_program.settings);
    for (const UnitsChoice& choice : kUnits)
        ::CheckDlgButton(m_hWnd, choice.control, choice.units == units ? BST_CHECKED : BST_UNCHECKED);
    return TRUE;  // the focus goes to the new-note key, the first control
}

// The key as the setting names it, in the interface's words; the setting's
// own text when it names none.
void OptionsWindow::ShowKey(size_t binding, const char* state)
{
    const std::string setting = m_program.keys.SettingText(binding);
    HotKey key;
    std::string text = setting;
    if (HotKey::Parse(setting, key))
        text = key.IsSet() ? key.Text(true) : Translate("None");
    SetWindowTextString(Item(kKeyControls[binding].field), text);
    SetWindowTextString(Item(kKeyControls[binding].state), state ? Translate(state) : std::string());
}

void OptionsWindow::OnKeyPressed(size_t binding, const HotKey& key)
{
    switch (m_program.keys.Set(binding, key)) {
    case GlobalKeys::Change::HeldElsewhere: ShowKey(binding, kHeldElsewhere); break;
    case GlobalKeys::Change::HeldByZorla: {
        std::string other;
        for (size_t i = 0; i < GlobalKeys::Bindings().size(); ++i) {
            HotKey held;
            if (i != binding && HotKey::Parse(m_program.keys.SettingText(i), held) && held == key)
                other = CommandName(GlobalKeys::Bindings()[i]);
        }
        char text[512];
        std::snprintf(text, sizeof text, Translate(kHeldByZorla).c_str(), key.Text(true).c_str(), other.c_str());
        ShowKey(binding, nullptr);
        SetWindowTextString(Item(kKeyControls[binding].state), text);
        break;
    }
    default: ShowKey(binding, nullptr); break;
    }
}

void OptionsWindow::RunSwitch(UINT command)
{
    m_program.run(command);
    ShowSwitches();
}

// What the switches are now, so a command that failed (a shortcut that could
// not be made) shows as it is.
void OptionsWindow::ShowSwitches()
{
    const bool on[] = {CAutostart(m_hWnd).AutostartShortcutExists(), m_program.switches.playSounds != 0,
                       m_program.switches.topMost != 0, m_program.switches.noInternet != 0};
    for (size_t i = 0; i < std::size(kSwitches); ++i)
        ::CheckDlgButton(m_hWnd, kSwitches[i].control, on[i] ? BST_CHECKED : BST_UNCHECKED);
}

void OptionsWindow::ShowFolder()
{
    const std::string folder = m_program.syncFolder();
    SetWindowTextString(Item(IDC_OPTIONS_FOLDER), folder.empty() ? Translate("This computer only") : folder);
}

void OptionsWindow::OnUnits(UINT control)
{
    for (const UnitsChoice& choice : kUnits) {
        if (choice.control == control && ReadWeatherUnits(m_program.settings) != choice.units) {
            WriteWeatherUnits(m_program.settings, choice.units);
            m_program.unitsChanged();
        }
    }
}

BOOL OptionsWindow::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    if (HIWORD(wParam) != BN_CLICKED)
        return CDialog::OnCommand(wParam, lParam);
    for (const SwitchControl& control : kSwitches) {
        if (control.control == id) {
            RunSwitch(control.command);
            return TRUE;
        }
    }
    for (const UnitsChoice& choice : kUnits) {
        if (choice.control == id) {
            OnUnits(id);
            return TRUE;
        }
    }
    if (id == IDC_OPTIONS_CHOOSE_FOLDER || id == IDC_OPTIONS_KEEP_LOCALLY) {
        m_program.run(id == IDC_OPTIONS_CHOOSE_FOLDER ? ID_KEEP_IN_FOLDER : ID_KEEP_LOCALLY);
        ShowFolder();
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

LRESULT OptionsWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    // The key fields are read-only edits that take presses: drawn as fields
    // to type into, not greyed.
    case WM_CTLCOLORSTATIC: {
        const int id = ::GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
        for (const KeyControls& controls : kKeyControls) {
            if (static_cast<int>(controls.field) == id) {
                HDC dc = reinterpret_cast<HDC>(wParam);
                ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
                ::SetBkColor(dc, ::GetSysColor(COLOR_WINDOW));
                return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_WINDOW));
            }
        }
        break;
    }
    case WM_DPICHANGED: OnDpiChanged(wParam, reinterpret_cast<const RECT*>(lParam)); return 0;
    default: break;
    }
    return CDialog::WindowProc(message, wParam, lParam);
}

// Moved to a monitor of another scale: every control's place and the font are
// made for it, and the window takes the place Windows proposes.
void OptionsWindow::OnDpiChanged(WPARAM wParam, const RECT* suggested)
{
    const DisplayScale previous = m_scale;
    m_scale = DisplayScale(LOWORD(wParam));
    std::vector<std::pair<HWND, RECT>> places;
    for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        RECT place{};
        ::GetWindowRect(child, &place);
        ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&place), 2);
        for (LONG* edge : {&place.left, &place.top, &place.right, &place.bottom})
            *edge = ::MulDiv(*edge, m_scale.Dpi(), previous.Dpi());
        places.emplace_back(child, place);
    }
    if (suggested)
        SetWindowPos(nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    for (const auto& [child, place] : places)
        ::MoveWindow(child, place.left, place.top, place.right - place.left, place.bottom - place.top, FALSE);
    SetFontOnChildren(m_hWnd, SharedFont(m_scale.Dpi()));
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}
