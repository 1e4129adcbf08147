#include "xml/Exception.h"
#include "xml/FileNotFoundException.h"
#include "xml/IOException.h"
#include "xml/XML2_Exception.h"

#include <gtest/gtest.h>

#include <stdexcept>

using util::io::Exception;
using util::io::FileNotFoundException;
using util::io::IOException;
using util::xml::XML2_Exception;

TEST(Exceptions, DisplayLineIsTypeNameColonMessage)
{
    EXPECT_EQ(IOException("Could not write to stream.").toString(), "util.io.IOException: Could not write to stream.");
    EXPECT_EQ(FileNotFoundException("C:\\data\\Zorla_Notes").toString(),
              "uil.io.FileNotFoundException: C:\\data\\Zorla_Notes");
    EXPECT_EQ(Exception(nullptr, "text").toString(), ": text");
}

TEST(Exceptions, XmlExceptionShowsMessageAndElementWithoutTypeName)
{
    XML2_Exception error("no element found");
    EXPECT_EQ(error.toString(), "no element found in element: ");
    error.setElement("DATABASEENTRY");
    EXPECT_EQ(error.toString(), "no element found in element: DATABASEENTRY");
    EXPECT_EQ(error.getTypeName(), "util.xml.XML2_Exception");
}

TEST(Exceptions, FamilyIsCaughtThroughItsBases)
{
    try {
        throw FileNotFoundException("missing");
    } catch (const IOException& e) {
        EXPECT_STREQ(e.what(), "missing");
        EXPECT_EQ(e.getTypeName(), "uil.io.FileNotFoundException");
    }
    // toString must dispatch virtually when caught through the base.
    try {
        throw XML2_Exception("bad");
    } catch (const Exception& e) {
        EXPECT_EQ(e.toString(), "bad in element: ");
    }
    try {
        throw IOException("io");
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "io");
    }
}
