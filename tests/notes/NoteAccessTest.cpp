// What a screen reader hears of a note window.
#include "NoteWindowFixture.h"

#include "framework/ComPtr.h"
#include "framework/Utf8.h"

#include <oleacc.h>

namespace {

using NoteAccessTest = NoteWindowTest;

TEST_F(NoteAccessTest, ANoteIsNamedByItsFirstLineAndAReminderByItsTime)
{
    ASSERT_TRUE(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    LoadNotes("<ENTRY _id_=\"3\" date=\"12/06/2026 10:00:00\" text=\"Milk_BR_Bread\" wndX=\"100\" wndY=\"120\"/>");
    LoadTimers("<ENTRY _id_=\"4\" date=\"12/08/2026 14:00:00\" notify=\"0\" text=\"Dentist\" wndX=\"400\" "
               "wndY=\"120\"/>");
    OpenAll(timers);
    OpenAll(notes);
    struct Row {
        const char* key;
        const char* name;
    };
    for (const Row& row : {Row{"Zorla 1.0NID:3", "Note: Milk"}, Row{"Zorla 1.0TID:4", "Reminder, 08.12.26 14:00"}}) {
        HWND note = *Window(row.key);
        for (LONG part : {OBJID_CLIENT, OBJID_WINDOW}) {
            ComPtr<IAccessible> object;
            ASSERT_EQ(::AccessibleObjectFromWindow(note, part, __uuidof(IAccessible), object.put_void()), S_OK);
            VARIANT self;
            ::VariantInit(&self);
            self.vt = VT_I4;
            self.lVal = CHILDID_SELF;
            BSTR name = nullptr;
            ASSERT_EQ(object->get_accName(self, &name), S_OK);
            EXPECT_EQ(Narrow(name), row.name);
            ::SysFreeString(name);
        }
        EXPECT_EQ(GetWindowTextString(note), row.key) << "the title stays the key the program finds it by";
    }
    ::CoUninitialize();
}

}  // namespace
