#include "framework/CWinThread.h"
#include "framework/ExceptionReport.h"
#include "framework/Handles.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <string>

namespace {

constexpr DWORD kBoundedWaitMs = 10000;

struct Work {
    KernelHandle done{::CreateEventA(nullptr, TRUE, FALSE, nullptr)};
    std::atomic<int> seen{0};
};

UINT DoWork(void* param)
{
    auto* work = static_cast<Work*>(param);
    work->seen = 7;
    ::SetEvent(work->done.get());
    return 21;
}

TEST(CWinThread, BeginThreadRunsTheFunctionWithItsParameter)
{
    Work work;
    CWinThread* thread = AfxBeginThread(&DoWork, &work);
    ASSERT_NE(thread, nullptr);
    ASSERT_EQ(::WaitForSingleObject(work.done.get(), kBoundedWaitMs), WAIT_OBJECT_0);
    EXPECT_EQ(work.seen, 7);
}

TEST(CWinThread, SuspendedThreadKeptByItsCreatorGivesItsExitCode)
{
    Work work;
    CWinThread* thread = AfxBeginThread(&DoWork, &work, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(thread, nullptr);
    thread->m_bAutoDelete = FALSE;
    EXPECT_EQ(work.seen, 0);
    thread->ResumeThread();
    ASSERT_EQ(::WaitForSingleObject(thread->m_hThread, kBoundedWaitMs), WAIT_OBJECT_0);
    DWORD exitCode = 0;
    ASSERT_TRUE(::GetExitCodeThread(thread->m_hThread, &exitCode));
    EXPECT_EQ(exitCode, 21u);
    delete thread;
}

std::atomic<int> g_reports{0};

void CountReport(const char*, int)
{
    ++g_reports;
}

class SelfDeletingThread : public CWinThread {
public:
    SelfDeletingThread(HANDLE deletedEvent, bool fail)
        : m_deleted(deletedEvent)
        , m_fail(fail)
    {}
    ~SelfDeletingThread() override { ::SetEvent(m_deleted); }

    int Run() override
    {
        if (m_fail)
            throw std::runtime_error("worker failed");
        return 3;
    }

private:
    HANDLE m_deleted;
    bool m_fail;
};

TEST(CWinThread, AutoDeletingThreadFreesItselfEvenWhenRunThrows)
{
    KernelHandle deleted(::CreateEventA(nullptr, TRUE, FALSE, nullptr));
    g_reports = 0;
    AfxSetExceptionReporter(&CountReport);
    auto* thread = new SelfDeletingThread(deleted.get(), true);
    ASSERT_TRUE(thread->CreateThread());
    EXPECT_EQ(::WaitForSingleObject(deleted.get(), kBoundedWaitMs), WAIT_OBJECT_0);
    AfxSetExceptionReporter(nullptr);
    EXPECT_EQ(g_reports, 1);
}

class InitOnlyThread : public CWinThread {
public:
    explicit InitOnlyThread(HANDLE deletedEvent)
        : m_deleted(deletedEvent)
    {
        m_bAutoDelete = FALSE;
    }
    ~InitOnlyThread() override { ::SetEvent(m_deleted); }

    int initCalls = 0;
    int exitCalls = 0;

    BOOL InitInstance() override
    {
        ++initCalls;
        return FALSE;
    }
    int ExitInstance() override
    {
        ++exitCalls;
        return 11;
    }

private:
    HANDLE m_deleted;
};

TEST(CWinThread, ThreadWithoutFunctionRunsInitInstanceThenExitInstance)
{
    KernelHandle deleted(::CreateEventA(nullptr, TRUE, FALSE, nullptr));
    auto* thread = new InitOnlyThread(deleted.get());
    ASSERT_TRUE(thread->CreateThread());
    EXPECT_FALSE(thread->CreateThread()) << "one thread per object";
    ASSERT_EQ(::WaitForSingleObject(thread->m_hThread, kBoundedWaitMs), WAIT_OBJECT_0);
    DWORD exitCode = 0;
    ::GetExitCodeThread(thread->m_hThread, &exitCode);
    EXPECT_EQ(exitCode, 11u);
    EXPECT_EQ(thread->initCalls, 1);
    EXPECT_EQ(thread->exitCalls, 1);
    delete thread;
}

}  // namespace
