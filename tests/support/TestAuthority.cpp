#include "support/TestAuthority.h"

#include <windows.h>
#include <wincrypt.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <vector>

bool TrustTestAuthority()
{
    const char* path = std::getenv("ZORLA_TEST_AUTHORITY");
    if (!path)
        return false;
    std::ifstream in(path, std::ios::binary);
    const std::vector<char> der{std::istreambuf_iterator<char>(in), {}};
    return !der.empty() && CertAddEncodedCertificateToSystemStoreA("Root", reinterpret_cast<const BYTE*>(der.data()),
                                                                   static_cast<DWORD>(der.size()));
}
