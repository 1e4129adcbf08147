#include "DownloadRecorder.h"

#include "support/HttpTestServer.h"
#include "support/TestProcess.h"

#include <gtest/gtest.h>
#include <tlhelp32.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

const char First[] = "http://127.0.0.1/first";
const char Second[] = "http://127.0.0.1/second";

// Each answer names the path it answers.
HttpReply EchoTarget(const HttpRequestSeen& request)
{
    return HttpReply::Status(200, "body of " + request.Target());
}

std::vector<std::string> Targets(const HttpTestServer& server)
{
    std::vector<std::string> targets;
    for (const HttpRequestSeen& request : server.Requests())
        targets.push_back(request.Target());
    return targets;
}

class HttpDownloadQueue : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(server.Start(EchoTarget)); }
    HttpTestServer server;
};

TEST_F(HttpDownloadQueue, TwoStartsInARowBothRunInOrderOnceEach)
{
    CHttpDownloader client(TEST_AGENT);
    DownloadRecorder first(client);
    DownloadRecorder second(client);
    ASSERT_TRUE(client.StartDownload(First, &DownloadRecorder::Callback, &first));
    ASSERT_TRUE(client.StartDownload(Second, &DownloadRecorder::Callback, &second));
    ASSERT_TRUE(first.WaitFor(1));
    ASSERT_TRUE(second.WaitFor(1));

    const auto one = first.Calls();
    const auto two = second.Calls();
    ASSERT_EQ(one.size(), 1u);
    ASSERT_EQ(two.size(), 1u);
    EXPECT_EQ(one[0].url, First);
    EXPECT_EQ(one[0].Text(), "body of /first");
    EXPECT_EQ(two[0].url, Second);
    EXPECT_EQ(two[0].Text(), "body of /second");
    EXPECT_LT(one[0].sequence, two[0].sequence);
    EXPECT_EQ(Targets(server), (std::vector<std::string>{"/first", "/second"}));
}

TEST_F(HttpDownloadQueue, SameUrlStartedTwiceRunsTwiceWithEachContext)
{
    CHttpDownloader client(TEST_AGENT);
    DownloadRecorder first(client);
    DownloadRecorder second(client);
    ASSERT_TRUE(client.StartDownload(First, &DownloadRecorder::Callback, &first));
    ASSERT_TRUE(client.StartDownload(First, &DownloadRecorder::Callback, &second));
    ASSERT_TRUE(first.WaitFor(1));
    ASSERT_TRUE(second.WaitFor(1));
    EXPECT_EQ(first.Count(), 1u);
    EXPECT_EQ(second.Count(), 1u);
    EXPECT_EQ(second.Calls()[0].Text(), "body of /first");
    EXPECT_EQ(server.RequestCount(), 2u);
}

TEST_F(HttpDownloadQueue, NotificationsWithoutCallbackEachReachTheServerOnce)
{
    {
        CHttpDownloader client(TEST_AGENT);
        for (int i = 0; i < 3; ++i)
            ASSERT_TRUE(client.StartDownload("http://127.0.0.1/?PA=1&n=" + std::to_string(i), nullptr, nullptr));
        ASSERT_TRUE(server.WaitForRequests(3, 30000));
        // The last one may still be reading its answer when the client goes.
    }
    EXPECT_EQ(Targets(server), (std::vector<std::string>{"/?PA=1&n=0", "/?PA=1&n=1", "/?PA=1&n=2"}));
}

// The first callback starts the second request, as the launch report's owner may.
struct Chain {
    DownloadRecorder* next = nullptr;
    CHttpDownloader* client = nullptr;
    std::atomic<bool> started{false};

    static void Callback(const std::string&, BYTE, void* context)
    {
        auto* chain = static_cast<Chain*>(context);
        chain->started = chain->client->StartDownload(Second, &DownloadRecorder::Callback, chain->next);
    }
};

TEST_F(HttpDownloadQueue, CallbackMayStartTheNextRequest)
{
    CHttpDownloader client(TEST_AGENT);
    DownloadRecorder second(client);
    Chain chain;
    chain.next = &second;
    chain.client = &client;
    ASSERT_TRUE(client.StartDownload(First, &Chain::Callback, &chain));
    ASSERT_TRUE(second.WaitFor(1));
    EXPECT_TRUE(chain.started);
    EXPECT_EQ(second.Calls()[0].Text(), "body of /second");
}

TEST_F(HttpDownloadQueue, ShorterSecondBodyKeepsTheOldTailBehindItsZero)
{
    CHttpDownloader client(TEST_AGENT);
    DownloadRecorder recorder(client);
    server.SetHandler(ServeBody("a long first body"));
    ASSERT_TRUE(client.StartDownload(First, &DownloadRecorder::Callback, &recorder));
    ASSERT_TRUE(recorder.WaitFor(1));
    server.SetHandler(ServeBody("short"));
    ASSERT_TRUE(client.StartDownload(First, &DownloadRecorder::Callback, &recorder));
    ASSERT_TRUE(recorder.WaitFor(2));

    const std::string expected("short\0 first body\0", 18);
    const auto second = recorder.Calls()[1];
    EXPECT_EQ(std::string(second.bytes.begin(), second.bytes.end()), expected);
    EXPECT_EQ(second.Text(), "short");
}

TEST_F(HttpDownloadQueue, FailedRunIsRetriedFromTheStartByTheNextStart)
{
    CHttpDownloader client(TEST_AGENT);
    DownloadRecorder recorder(client);
    server.SetHandler(ServeBody("gone", 404));
    ASSERT_TRUE(client.StartDownload(First, &DownloadRecorder::Callback, &recorder));
    ASSERT_TRUE(recorder.WaitFor(1));
    server.SetHandler(ServeBody("<weather/>"));
    ASSERT_TRUE(client.StartDownload(First, &DownloadRecorder::Callback, &recorder));
    ASSERT_TRUE(recorder.WaitFor(2));

    const auto calls = recorder.Calls();
    EXPECT_EQ(calls[0].failed, 1);
    EXPECT_EQ(calls[1].failed, 0);
    EXPECT_EQ(calls[1].Text(), "<weather/>");
    std::vector<char> bytes;
    ASSERT_TRUE(client.GetDownloadedData(First, bytes));
    EXPECT_EQ(std::string(bytes.data()), "<weather/>");
}

TEST_F(HttpDownloadQueue, UnknownUrlHasNoOutcomeAndLeavesTheArray)
{
    CHttpDownloader client(TEST_AGENT);
    std::vector<char> bytes{'k', 'e', 'e', 'p'};
    EXPECT_FALSE(client.GetDownloadedData(First, bytes));
    EXPECT_EQ(bytes, (std::vector<char>{'k', 'e', 'e', 'p'}));
}

size_t ThreadCount()
{
    size_t count = 0;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
        if (entry.th32OwnerProcessID == GetCurrentProcessId())
            ++count;
    CloseHandle(snapshot);
    return count;
}

class HttpDownloadStop : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(server.Start(EchoTarget)); }

    // Destroys the client on a thread of its own; true when that ended while the
    // server still held the connection open, which only a stopped server would end.
    // Then releases the connection and waits for the worker to be gone, so that
    // no late callback can escape the test.
    bool DestroyWhileServerHolds(std::unique_ptr<CHttpDownloader>& client, size_t threadsBefore)
    {
        std::atomic<bool> destroyed{false};
        std::thread destroyer([&] {
            client.reset();
            destroyed = true;
        });
        const bool prompt = WaitUntil([&] { return destroyed.load(); }, 20000);
        server.Stop();
        destroyer.join();
        EXPECT_TRUE(WaitUntil([&] { return ThreadCount() <= threadsBefore; }, 20000));
        return prompt;
    }

    HttpTestServer server;
};

TEST_F(HttpDownloadStop, DestroyingWhileTheServerNeverAnswersEndsWithoutCallback)
{
    server.SetHandler([](const HttpRequestSeen&) { return HttpReply::Hang(); });
    const size_t threads = ThreadCount();
    auto client = std::make_unique<CHttpDownloader>(TEST_AGENT);
    DownloadRecorder recorder(*client);
    ASSERT_TRUE(client->StartDownload(First, &DownloadRecorder::Callback, &recorder));
    ASSERT_TRUE(server.WaitForRequests(1, 10000));
    EXPECT_TRUE(DestroyWhileServerHolds(client, threads));
    EXPECT_EQ(recorder.Count(), 0u);
}

TEST_F(HttpDownloadStop, DestroyingWhileTheBodyArrivesEndsTheReadWithoutCallback)
{
    const std::string part(20000, 'w');
    server.SetHandler([&](const HttpRequestSeen&) {
        return HttpReply::Hang("HTTP/1.0 200 OK\r\nContent-Length: 1000000\r\n\r\n" + part);
    });
    const size_t threads = ThreadCount();
    auto client = std::make_unique<CHttpDownloader>(TEST_AGENT);
    DownloadRecorder recorder(*client);
    ASSERT_TRUE(client->StartDownload(First, &DownloadRecorder::Callback, &recorder));
    ASSERT_TRUE(server.WaitForRequests(1, 10000));
    EXPECT_TRUE(DestroyWhileServerHolds(client, threads));
    EXPECT_EQ(recorder.Count(), 0u);
}

// A callback that is still running when destruction begins: it keeps starting
// requests until the client refuses, then waits to be released.
struct SlowCallback {
    CHttpDownloader* client = nullptr;
    HANDLE release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::atomic<bool> entered{false};
    std::atomic<bool> refused{false};
    std::atomic<bool> returned{false};

    ~SlowCallback() { CloseHandle(release); }

    static void Callback(const std::string&, BYTE, void* context)
    {
        auto* self = static_cast<SlowCallback*>(context);
        self->entered = true;
        self->refused = WaitUntil([&] { return !self->client->StartDownload(Second, nullptr, nullptr); }, 20000);
        WaitForSingleObject(self->release, 20000);
        self->returned = true;
    }
};

TEST_F(HttpDownloadStop, DestructionWaitsForARunningCallbackAndDropsTheQueue)
{
    auto client = std::make_unique<CHttpDownloader>(TEST_AGENT);
    SlowCallback slow;
    slow.client = client.get();
    ASSERT_TRUE(client->StartDownload(First, &SlowCallback::Callback, &slow));
    ASSERT_TRUE(WaitUntil([&] { return slow.entered.load(); }, 30000));

    std::atomic<bool> destroyed{false};
    std::thread destroyer([&] {
        client.reset();
        destroyed = true;
    });
    EXPECT_TRUE(WaitUntil([&] { return slow.refused.load(); }, 30000));
    EXPECT_FALSE(destroyed);
    SetEvent(slow.release);
    destroyer.join();
    EXPECT_TRUE(slow.returned);
    // Requests queued behind the callback never ran.
    EXPECT_EQ(Targets(server), std::vector<std::string>{"/first"});
}

// Owns the client and lets it go from inside the callback.
struct SelfDestroying {
    std::unique_ptr<CHttpDownloader> client;
    std::atomic<bool> returned{false};

    static void Callback(const std::string&, BYTE, void* context)
    {
        auto* self = static_cast<SelfDestroying*>(context);
        self->client.reset();
        self->returned = true;
    }
};

TEST_F(HttpDownloadStop, ClientMayBeDestroyedInItsOwnCallback)
{
    const size_t threads = ThreadCount();
    SelfDestroying owner;
    owner.client = std::make_unique<CHttpDownloader>(TEST_AGENT);
    ASSERT_TRUE(owner.client->StartDownload(First, &SelfDestroying::Callback, &owner));
    ASSERT_TRUE(owner.client->StartDownload(Second, &SelfDestroying::Callback, &owner));
    EXPECT_TRUE(WaitUntil([&] { return owner.returned.load(); }, 30000));
    EXPECT_TRUE(WaitUntil([&] { return ThreadCount() <= threads; }, 20000));
    EXPECT_EQ(Targets(server), std::vector<std::string>{"/first"});
}

}  // namespace
