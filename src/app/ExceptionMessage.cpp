// The Windows half of the XML layer's exceptions.
#include "xml/Exception.h"

#include <windows.h>

void util::io::Exception::showMessage() const
{
    MessageBoxA(nullptr, toString().c_str(), "Exception", MB_ICONWARNING);
}
