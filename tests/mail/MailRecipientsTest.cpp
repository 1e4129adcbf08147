// What the send dialog makes of the typed recipients, without windows.
#include "mail/MailRecipients.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using Fields = std::vector<std::string>;

TEST(MailRecipients, SemicolonsAndCommasSeparateAndTheFirstEmptyFieldEndsTheList)
{
    EXPECT_EQ(SplitRecipients("anna@example.com"), (Fields{"anna@example.com"}));
    // Fields are not trimmed: the space stays with the second recipient.
    EXPECT_EQ(SplitRecipients("anna@example.com; ben@example.org"), (Fields{"anna@example.com", " ben@example.org"}));
    EXPECT_EQ(SplitRecipients("anna@example.com,ben@example.org"), (Fields{"anna@example.com", "ben@example.org"}));
    EXPECT_EQ(SplitRecipients("anna@example.com;;ben@example.org"), (Fields{"anna@example.com"}));
    EXPECT_EQ(SplitRecipients("anna@example.com,;ben@example.org"), (Fields{"anna@example.com"}));
    EXPECT_EQ(SplitRecipients("a@b.c;d@e.f;"), (Fields{"a@b.c", "d@e.f"}));
    EXPECT_EQ(SplitRecipients(";a@b.c"), Fields{});
    EXPECT_EQ(SplitRecipients(""), Fields{});
}

TEST(MailRecipients, SendNeedsAnAtAndADotAnywhere)
{
    EXPECT_TRUE(MayHoldMailAddress("anna@example.com"));
    EXPECT_TRUE(MayHoldMailAddress(".@"));
    EXPECT_FALSE(MayHoldMailAddress("anna@example"));
    EXPECT_FALSE(MayHoldMailAddress("anna.example.com"));
    EXPECT_FALSE(MayHoldMailAddress(""));
    EXPECT_EQ(WithSemicolons("a@b.c,d@e.f, g@h.i"), "a@b.c;d@e.f; g@h.i");
}
