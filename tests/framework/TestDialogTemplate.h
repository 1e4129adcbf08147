#pragma once

#include <windows.h>

#include <cstring>
#include <vector>

// Builds a dialog template in memory (the layout DialogBoxIndirect expects), so
// dialog tests need no resource script.
class TestDialogTemplate {
public:
    enum ControlClass : WORD { Button = 0x0080, Edit = 0x0081, Static = 0x0082, ComboBox = 0x0085 };

    TestDialogTemplate(DWORD style, short width, short height, const char* title)
    {
        DLGTEMPLATE header{};
        header.style = style;
        header.cx = width;
        header.cy = height;
        Append(&header, sizeof(header));
        AppendWord(0);  // no menu
        AppendWord(0);  // the standard dialog class
        AppendText(title);
    }

    void AddControl(ControlClass kind, WORD id, DWORD style, short x, short y, short width, short height,
                    const char* text = "")
    {
        while (m_bytes.size() % 4)
            m_bytes.push_back(0);
        DLGITEMTEMPLATE item{};
        item.style = style | WS_CHILD | WS_VISIBLE;
        item.x = x;
        item.y = y;
        item.cx = width;
        item.cy = height;
        item.id = id;
        Append(&item, sizeof(item));
        AppendWord(0xFFFF);
        AppendWord(kind);
        AppendText(text);
        AppendWord(0);  // no creation data
        auto* header = reinterpret_cast<DLGTEMPLATE*>(m_bytes.data());
        ++header->cdit;
    }

    const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(m_bytes.data()); }

private:
    void Append(const void* data, size_t size)
    {
        const auto* bytes = static_cast<const unsigned char*>(data);
        m_bytes.insert(m_bytes.end(), bytes, bytes + size);
    }
    void AppendWord(WORD word) { Append(&word, sizeof(word)); }
    void AppendText(const char* text)
    {
        for (const char* c = text; *c; ++c)
            AppendWord(static_cast<unsigned char>(*c));
        AppendWord(0);
    }

    std::vector<unsigned char> m_bytes;
};
