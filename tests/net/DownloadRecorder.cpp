#include "DownloadRecorder.h"

#include "framework/SystemMessage.h"
#include "support/TestProcess.h"

#include <atomic>

namespace {
std::atomic<int> callbackSequence{0};
}

void DownloadRecorder::Callback(const std::string& url, BYTE failed, void* context)
{
    auto* recorder = static_cast<DownloadRecorder*>(context);
    Done done;
    done.sequence = ++callbackSequence;
    done.url = url;
    done.failed = failed;
    done.context = context;
    done.fetched = recorder->m_client.GetDownloadedData(url, done.bytes) &&
                   recorder->m_client.GetAnswer(url, done.status, done.headers);
    std::lock_guard<std::mutex> lock(recorder->m_lock);
    recorder->m_calls.push_back(done);
}

bool DownloadRecorder::WaitFor(size_t count, DWORD ms) const
{
    return WaitUntil([&] { return Count() >= count; }, ms);
}

std::vector<DownloadRecorder::Done> DownloadRecorder::Calls() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_calls;
}

size_t DownloadRecorder::Count() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_calls.size();
}

std::string MessageTableText(const char* module, DWORD code)
{
    HMODULE loaded = module ? LoadLibraryExA(module, nullptr, LOAD_LIBRARY_AS_DATAFILE) : nullptr;
    std::string text;
    SystemMessageText(code, text, loaded);
    if (loaded)
        FreeLibrary(loaded);
    for (char& c : text)
        if (c == '\r' || c == '\n')
            c = ' ';
    return text;
}
