#include "framework/AfxFunctions.h"
#include "resource.h"
#include "shared/MainSettings.h"
#include "sound/CWaveResourcePlayer.h"
#include "sound/PlaySoundResource.h"
#include "sound/SoundBoard.h"
#include "sound/SoundDevice.h"
#include "sound/WaveParser.h"
#include "support/HeardSounds.h"

#include <gtest/gtest.h>

#include <mmsystem.h>
#include <dsound.h>
#include <mmreg.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

// Damaged waves among this test program's own resources (TestWaves.rc).
const int kWaveWithoutData = 901;
const int kWaveWithShortFormat = 902;

// A RIFF/WAVE file put together from chunks; sizes can be set to lie.
class WaveFile {
public:
    WaveFile& Chunk(const char* tag, const std::vector<BYTE>& body, long long claimedSize = -1)
    {
        Append(tag);
        AppendDword(claimedSize < 0 ? static_cast<DWORD>(body.size()) : static_cast<DWORD>(claimedSize));
        m_body.insert(m_body.end(), body.begin(), body.end());
        if (body.size() & 1)
            m_body.push_back(0);
        return *this;
    }

    std::vector<BYTE> Bytes(long long claimedRiffSize = -1) const
    {
        const DWORD size =
            claimedRiffSize < 0 ? static_cast<DWORD>(4 + m_body.size()) : static_cast<DWORD>(claimedRiffSize);
        std::vector<BYTE> file(12 + m_body.size());
        std::memcpy(file.data(), "RIFF", 4);
        std::memcpy(file.data() + 4, &size, 4);
        std::memcpy(file.data() + 8, "WAVE", 4);
        std::copy(m_body.begin(), m_body.end(), file.begin() + 12);
        return file;
    }

private:
    void Append(const char* tag) { m_body.insert(m_body.end(), tag, tag + 4); }
    void AppendDword(DWORD value)
    {
        const BYTE* p = reinterpret_cast<const BYTE*>(&value);
        m_body.insert(m_body.end(), p, p + 4);
    }

    std::vector<BYTE> m_body;
};

std::vector<BYTE> PcmFormat(size_t size = 16)
{
    WAVEFORMATEX format{};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = 1;
    format.nSamplesPerSec = 22050;
    format.nAvgBytesPerSec = 44100;
    format.nBlockAlign = 2;
    format.wBitsPerSample = 16;
    std::vector<BYTE> bytes(size, 0);
    std::memcpy(bytes.data(), &format, std::min(size, sizeof format));
    return bytes;
}

const std::vector<BYTE> kSamples = {1, 2, 3, 4, 5, 6};

bool Parses(const std::vector<BYTE>& file, WaveChunks* out = nullptr)
{
    WaveChunks chunks;
    const bool parsed = ParseWave(file.data(), file.size(), chunks);
    if (out)
        *out = chunks;
    return parsed;
}

TEST(ParseWave, FindsFormatAndSamplesPastOtherChunks)
{
    WaveChunks chunks;
    const std::vector<BYTE> file =
        WaveFile().Chunk("LIST", {9, 9, 9}).Chunk("fmt ", PcmFormat()).Chunk("data", kSamples).Bytes();
    ASSERT_TRUE(Parses(file, &chunks));
    EXPECT_EQ(chunks.formatSize, 16u);
    EXPECT_EQ(reinterpret_cast<const WAVEFORMATEX*>(chunks.format)->nSamplesPerSec, 22050u);
    ASSERT_EQ(chunks.dataSize, kSamples.size());
    EXPECT_EQ(std::vector<BYTE>(chunks.data, chunks.data + chunks.dataSize), kSamples);

    // Samples before the format are found as well.
    EXPECT_TRUE(Parses(WaveFile().Chunk("data", kSamples).Chunk("fmt ", PcmFormat()).Bytes()));

    // Every sound of the program parses.
    for (int id : {121, 122, 123, 124, 125, 126, 127, 128, 129, 154}) {
        HMODULE module = AfxGetResourceHandle();
        HRSRC resource = ::FindResourceA(module, MAKEINTRESOURCEA(id), "WAVE");
        ASSERT_TRUE(resource) << id;
        const BYTE* data = static_cast<const BYTE*>(::LockResource(::LoadResource(module, resource)));
        EXPECT_TRUE(ParseWave(data, ::SizeofResource(module, resource), chunks)) << id;
        EXPECT_GT(chunks.dataSize, 1000u) << id;
    }
}

TEST(ParseWave, RefusesIncompleteOrLyingFiles)
{
    struct Case {
        const char* what;
        std::vector<BYTE> file;
    };
    std::vector<BYTE> notWave = WaveFile().Chunk("fmt ", PcmFormat()).Chunk("data", kSamples).Bytes();
    notWave[8] = 'X';
    const std::vector<BYTE> whole = WaveFile().Chunk("fmt ", PcmFormat()).Chunk("data", kSamples).Bytes();
    const Case cases[] = {
        {"no data chunk", WaveFile().Chunk("fmt ", PcmFormat()).Bytes()},
        {"no fmt chunk", WaveFile().Chunk("data", kSamples).Bytes()},
        {"fmt of 12 bytes", WaveFile().Chunk("fmt ", PcmFormat(12)).Chunk("data", kSamples).Bytes()},
        {"fmt of 13 bytes", WaveFile().Chunk("fmt ", PcmFormat(13)).Chunk("data", kSamples).Bytes()},
        {"data size past the end", WaveFile().Chunk("fmt ", PcmFormat()).Chunk("data", kSamples, 7).Bytes()},
        {"data size near 4 GB", WaveFile().Chunk("fmt ", PcmFormat()).Chunk("data", kSamples, 0xFFFFFFF0).Bytes()},
        {"fmt size past the end", WaveFile().Chunk("fmt ", PcmFormat(), 400).Chunk("data", kSamples).Bytes()},
        {"cut inside the data", std::vector<BYTE>(whole.begin(), whole.end() - 2)},
        {"chunks beyond the RIFF size", WaveFile().Chunk("fmt ", PcmFormat()).Chunk("data", kSamples).Bytes(28)},
        {"not WAVE", notWave},
        {"too short", std::vector<BYTE>(whole.begin(), whole.begin() + 11)},
        {"empty", {}},
    };
    for (const Case& c : cases)
        EXPECT_FALSE(Parses(c.file)) << c.what;

    EXPECT_TRUE(Parses(whole));
    EXPECT_TRUE(Parses(WaveFile().Chunk("fmt ", PcmFormat(14)).Chunk("data", kSamples).Bytes()))
        << "14 bytes are a whole WAVEFORMAT";
    EXPECT_TRUE(Parses(WaveFile().Chunk("fmt ", PcmFormat()).Chunk("data", kSamples).Bytes(4000)))
        << "a RIFF size past the end only limits the walk";
}

TEST(ParseWave, FormatBlockNeverPromisesMoreThanTheChunk)
{
    WaveChunks chunks;
    ASSERT_TRUE(Parses(WaveFile().Chunk("fmt ", PcmFormat(14)).Chunk("data", kSamples).Bytes(), &chunks));
    std::vector<BYTE> block = WaveFormatBlock(chunks);
    ASSERT_GE(block.size(), sizeof(WAVEFORMATEX));
    const auto* format = reinterpret_cast<const WAVEFORMATEX*>(block.data());
    EXPECT_EQ(format->nBlockAlign, 2);
    EXPECT_EQ(format->wBitsPerSample, 0) << "padded with zeros, not read from the next chunk";
    EXPECT_EQ(format->cbSize, 0);

    std::vector<BYTE> adpcm = PcmFormat(20);
    adpcm[0] = 2;     // WAVE_FORMAT_ADPCM
    adpcm[16] = 200;  // cbSize claims 200 extra bytes, the chunk has 2
    ASSERT_TRUE(Parses(WaveFile().Chunk("fmt ", adpcm).Chunk("data", kSamples).Bytes(), &chunks));
    block = WaveFormatBlock(chunks);
    format = reinterpret_cast<const WAVEFORMATEX*>(block.data());
    EXPECT_LE(sizeof(WAVEFORMATEX) + format->cbSize, block.size());
}

TEST(Greeting, NeverTheSameTwiceInARow)
{
    for (unsigned seed : {1u, 7u, 12345u}) {
        std::srand(seed);
        int last = 0;
        std::vector<int> seen(IDW_GREETING_COUNT, 0);
        for (int i = 0; i < 600; ++i) {
            const int id = SoundBoard::NextGreeting(last);
            ASSERT_GE(id, IDW_GREETING);
            ASSERT_LT(id, IDW_GREETING + IDW_GREETING_COUNT);
            ASSERT_NE(id, last) << "seed " << seed << " draw " << i;
            ++seen[id - IDW_GREETING];
            last = id;
        }
        for (int count : seen)
            EXPECT_GT(count, 50) << "every greeting is used";
    }
}

// Whether this machine has a sound device DirectSound can open.
bool HaveDirectSound()
{
    IDirectSound* device = nullptr;
    if (FAILED(::DirectSoundCreate(nullptr, &device, nullptr)) || !device)
        return false;
    device->Release();
    return true;
}

TEST(Greeting, FollowsThePlaySoundsFlagAndNeverRepeats)
{
    MainSettings settings;
    settings.playSounds = 0;
    HeardSounds sounds(settings);
    EXPECT_EQ(sounds.PlayGreeting(), 0);
    EXPECT_FALSE(sounds.Player().HasBuffer()) << "nothing was even loaded";
    EXPECT_FALSE(PlaySoundResource(IDW_NOTES_HOVER, settings));
    EXPECT_TRUE(sounds.played.empty());

    settings.playSounds = 1;
    std::srand(3);
    int last = 0;
    for (int i = 0; i < 8; ++i) {
        const int id = sounds.PlayGreeting();
        EXPECT_GE(id, IDW_GREETING);
        EXPECT_LT(id, IDW_GREETING + IDW_GREETING_COUNT);
        EXPECT_NE(id, last);
        last = id;
    }
    // With a device the greeting plays through DirectSound, without one through
    // the simple player; either way the call returns at once and quietly.
    EXPECT_EQ(sounds.Player().IsPlayable(), HaveDirectSound());
    EXPECT_EQ(sounds.played.size(), HaveDirectSound() ? 0u : 8u);
    EXPECT_TRUE(PlaySoundResource(IDW_NOTE_OPENED, settings));
    ::PlaySoundA(nullptr, nullptr, 0);
}

TEST(Greeting, DamagedWaveFallsBackToTheSimplePlayer)
{
    if (!HaveDirectSound())
        GTEST_SKIP() << "without a sound device every wave takes the simple player";
    MainSettings settings;
    settings.playSounds = 1;
    HeardSounds sounds(settings);
    ASSERT_TRUE(sounds.PlayWave(IDW_GREETING));
    EXPECT_TRUE(sounds.played.empty()) << "a good wave plays through DirectSound";
    for (int damaged : {kWaveWithoutData, kWaveWithShortFormat}) {
        sounds.played.clear();
        EXPECT_TRUE(sounds.PlayWave(damaged));
        EXPECT_EQ(sounds.played, std::vector<int>{damaged});
        EXPECT_FALSE(sounds.Player().IsPlayable());
    }
    settings.playSounds = 0;
    sounds.played.clear();
    EXPECT_FALSE(sounds.PlayWave(kWaveWithoutData));
    EXPECT_TRUE(sounds.played.empty());
}

TEST(CWaveResourcePlayer, LoadsEveryGreetingOrFailsQuietly)
{
    CWaveResourcePlayer player;
    EXPECT_FALSE(player.LoadWave(999));
    EXPECT_FALSE(player.LoadWave(IDR_REGION_HOME)) << "a region is no WAVE resource";
    player.Play(0, false);  // nothing loaded: nothing happens
    player.SetVolume(-700);

    const bool device = HaveDirectSound();
    for (int id = IDW_GREETING; id < IDW_GREETING + IDW_GREETING_COUNT; ++id) {
        EXPECT_EQ(player.LoadWave(id), device) << id;
        EXPECT_EQ(player.HasBuffer(), device) << id;
        player.SetVolume(-700);
        player.Play(100000000, false);  // past the end: starts at the end
        player.Play(0, false);
    }
    // A second player shares the device; the first can still play afterwards.
    {
        CWaveResourcePlayer second;
        EXPECT_EQ(second.LoadWave(IDW_ALERT), device);
        second.Play(0, true);
    }
    EXPECT_EQ(player.LoadWave(IDW_GREETING), device);
    player.Play(0, false);
}

TEST(SoundDevice, PlayersShareOneDeviceThatGoesWithTheLastHandle)
{
    ASSERT_FALSE(SoundDevice::IsOpen()) << "no player is left from another test";
    IDirectSound* device = nullptr;
    {
        SoundDevice first;
        EXPECT_EQ(nullptr, first.Get()) << "made on the first Open, not before";
        device = first.Open(nullptr);
        ASSERT_EQ(device != nullptr, HaveDirectSound());
        if (!device)
            return;
        // A reference of the test's own, to see the handles' one go.
        device->AddRef();
        {
            SoundDevice second;
            EXPECT_EQ(device, second.Get());
            EXPECT_EQ(device, second.Open(nullptr)) << "not made twice";
        }
        EXPECT_EQ(device, first.Get()) << "kept while a handle remains";
        EXPECT_TRUE(SoundDevice::IsOpen());
    }
    EXPECT_FALSE(SoundDevice::IsOpen());
    EXPECT_EQ(0u, device->Release()) << "the last handle released the device's reference";
}

}  // namespace
