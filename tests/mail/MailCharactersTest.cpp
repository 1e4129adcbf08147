// Any character of the program's UTF-8 texts in the mail: through the mail
// system's wide call code point by code point, through the ANSI call of an
// older mail system as far as the code page reaches, and in the "mailto:" link.
#include "MapiDouble.h"

#include "mail/CMailSender.h"
#include "mail/CSendToFriend.h"
#include "mail/MailtoLink.h"
#include "support/Text1252.h"

#include <gtest/gtest.h>

namespace {

const char kSubject[] = "Grüße aus Łódź € 日 😀";
const char kText[] = "Äpfel, Öl, Übermaß: Łódź € 日 😀\n";
const char kName[] = "Jürgen Łukasz 日 😀";
const char kPath[] = "C:\\Temp\\Łódź 日 😀\\Zorla.zip";
const char kTitle[] = "Zorla ä 😀.zip";

// One mail with every field set, sent through the library the test names
// (null: the double that has both calls).
MapiCall SendEveryField(const MapiDouble& mapi, const char* library)
{
    CMailSender::SetLibraryForTest(library);
    CMailSender sender;
    CMailSender::SetLibraryForTest(nullptr);
    EXPECT_EQ(sender.Error(), CMailSender::NoError);
    sender.SetOriginator(kName);
    sender.SetSubject(kSubject);
    sender.SetText(kText);
    sender.AddRecipient(kName);
    sender.AddAttachment(kPath, kTitle);
    EXPECT_EQ(sender.Send(0), 0u);
    const std::vector<MapiCall> calls = mapi.Calls();
    EXPECT_EQ(calls.size(), 1u);
    return calls.empty() ? MapiCall{} : calls[0];
}

}  // namespace

TEST(MailCharacters, EveryTextReachesTheWideCallIntact)
{
    MapiDouble mapi;
    const MapiCall call = SendEveryField(mapi, nullptr);
    EXPECT_EQ(call.function, "MAPISendMailW") << "the wide call wherever the mail system has it";
    EXPECT_EQ(call.subject, kSubject);
    EXPECT_EQ(call.note, std::string(kText) + " ");
    EXPECT_EQ(call.originator.name, kName);
    ASSERT_EQ(call.recipients.size(), 1u);
    EXPECT_EQ(call.recipients[0].name, kName);
    ASSERT_EQ(call.files.size(), 1u);
    EXPECT_EQ(call.files[0].path, kPath);
    EXPECT_EQ(call.files[0].title, kTitle);
    // The place of the file counts the text's UTF-16 units, not its bytes
    // (45): the emoji is two units.
    EXPECT_EQ(call.files[0].position, 32u);
}

// Under test the system's ANSI code page is Windows-1252: it holds the
// umlauts and the euro sign; the rest becomes '?', no look-alike letter.
TEST(MailCharacters, AMailSystemWithOnlyTheAnsiCallGetsWhatTheCodePageHolds)
{
    ASSERT_EQ(GetACP(), 1252u);
    MapiDouble mapi;
    const MapiCall call = SendEveryField(mapi, kAnsiOnlyMapi);
    EXPECT_EQ(call.function, "MAPISendMail");
    EXPECT_EQ(call.subject, Cp1252("Grüße aus ?ód? € ? ??"));
    EXPECT_EQ(call.note, Cp1252("Äpfel, Öl, Übermaß: ?ód? € ? ??\n "));
    EXPECT_EQ(call.originator.name, Cp1252("Jürgen ?ukasz ? ??"));
    ASSERT_EQ(call.recipients.size(), 1u);
    EXPECT_EQ(call.recipients[0].name, Cp1252("Jürgen ?ukasz ? ??"));
    ASSERT_EQ(call.files.size(), 1u);
    EXPECT_EQ(call.files[0].path, Cp1252("C:\\Temp\\?ód? ? ??\\Zorla.zip"));
    EXPECT_EQ(call.files[0].title, Cp1252("Zorla ä ??.zip"));
    EXPECT_EQ(call.files[0].position, 32u);
}

TEST(MailtoLink, UnreservedAsciiStaysAndEveryOtherByteIsEncoded)
{
    EXPECT_EQ(PercentEncoded("AZaz09-._~"), "AZaz09-._~");
    EXPECT_EQ(PercentEncoded("Zorla 1.0"), "Zorla%201.0") << "a space is %20, never +";
    EXPECT_EQ(PercentEncoded("&=?#%+/:@;,!$'()*[]\"<>"),
              "%26%3D%3F%23%25%2B%2F%3A%40%3B%2C%21%24%27%28%29%2A%5B%5D%22%3C%3E");
    EXPECT_EQ(PercentEncoded("\r\n\t"), "%0D%0A%09");
    EXPECT_EQ(PercentEncoded(" Łódź € 日 😀 äöüß"),
              "%20%C5%81%C3%B3d%C5%BA%20%E2%82%AC%20%E6%97%A5%20%F0%9F%98%80%20%C3%A4%C3%B6%C3%BC%C3%9F");
    EXPECT_EQ(PercentEncoded(""), "");
}

TEST(MailtoLink, TheSubjectIsTheOnlyHeaderAndCannotEndItOrAddAnother)
{
    EXPECT_EQ(MailtoLinkWithSubject("Zorla & Co?body=x#y"), "mailto:?subject=Zorla%20%26%20Co%3Fbody%3Dx%23y");
    EXPECT_EQ(CSendToFriend::MailtoLink(), "mailto:?subject=Zorla%201.0");
}
