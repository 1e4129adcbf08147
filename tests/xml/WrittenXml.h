#pragma once

#include "TempDir.h"

#include "xml/XmlWriter.h"

#include <string>

// The bytes the writer puts into a file for root, written in dir.
inline std::string written(const util::xml::XmlElement& root, const TempDir& dir)
{
    const std::string path = dir.file("out.xml");
    {
        util::xml::XmlWriter writer(path);
        writer.writeDocument(root);
        writer.close();
    }
    return TempDir::read(path);
}

inline std::string written(const util::xml::XmlElement& root)
{
    TempDir dir;
    return written(root, dir);
}
