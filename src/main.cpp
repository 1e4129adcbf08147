#include "app/CZorlaApp.h"
#include "shared/Translator.h"
#include "framework/CWinApp.h"

#include <windows.h>

// The process-wide objects, in the order they must exist.
CZorlaApp theApp;

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    GetTranslator();
    return AfxWinMain(instance);
}
