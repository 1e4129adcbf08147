#include "syncfolder/FolderPicker.h"

#include "framework/Utf8.h"

#include <shlobj.h>

std::string PickFolder(HWND owner, const std::string& prompt)
{
    const std::wstring title = Widen(prompt);
    BROWSEINFOW browse{};
    browse.hwndOwner = owner;
    browse.lpszTitle = title.c_str();
    browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    PIDLIST_ABSOLUTE chosen = ::SHBrowseForFolderW(&browse);
    if (!chosen)
        return std::string();
    // SHGetPathFromIDList fills at most MAX_PATH characters.
    wchar_t path[MAX_PATH] = L"";
    const bool isFolder = ::SHGetPathFromIDListW(chosen, path) != FALSE;
    ::CoTaskMemFree(chosen);
    return isFolder ? Narrow(path) : std::string();
}
