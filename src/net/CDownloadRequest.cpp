#include "net/CDownloadRequest.h"

void CDownloadRequest::CloseHandles()
{
    m_hRequest.reset();
    m_hConnection.reset();
}
