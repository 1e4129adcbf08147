/* Loads every art resource through the platform calls the program uses and
 * checks what comes back: region boxes, bitmap and icon sizes, wave headers.
 * Built and run under Wine by tools/art/check-wine.sh; exit code = failures. */
#include <windows.h>
#include <stdio.h>
#include <string.h>

static int failures;

static void fail(const char *what, int id) {
    printf("FAIL %s %d\n", what, id);
    failures++;
}

static const void *resource(int id, LPCSTR type, DWORD *size) {
    HRSRC found = FindResourceA(NULL, MAKEINTRESOURCEA(id), type);
    HGLOBAL loaded = found ? LoadResource(NULL, found) : NULL;
    *size = found ? SizeofResource(NULL, found) : 0;
    return loaded ? LockResource(loaded) : NULL;
}

static void check_region(int id, LONG l, LONG t, LONG r, LONG b, POINT inside, POINT outside) {
    DWORD size;
    const void *data = resource(id, (LPCSTR)RT_RCDATA, &size);
    HRGN rgn = data ? ExtCreateRegion(NULL, size, (const RGNDATA *)data) : NULL;
    RECT box;
    if (!rgn) {
        fail("region not created", id);
        return;
    }
    GetRgnBox(rgn, &box);
    if (box.left != l || box.top != t || box.right != r || box.bottom != b)
        fail("region bounds", id);
    if (!PtInRegion(rgn, inside.x, inside.y) || PtInRegion(rgn, outside.x, outside.y))
        fail("region shape", id);
    DeleteObject(rgn);
}

static void check_bitmap(int id, int w, int h, UINT flags) {
    HBITMAP bmp = (HBITMAP)LoadImageA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(id), IMAGE_BITMAP,
                                      flags ? w : 0, flags ? h : 0, flags);
    BITMAP info;
    if (!bmp || !GetObjectA(bmp, sizeof info, &info) || info.bmWidth != w || info.bmHeight != h)
        fail("bitmap", id);
    if (bmp)
        DeleteObject(bmp);
}

static void check_icon(int size) {
    HICON icon = (HICON)LoadImageA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(128), IMAGE_ICON, size, size, 0);
    ICONINFO info;
    BITMAP colour;
    if (!icon || !GetIconInfo(icon, &info)) {
        fail("icon", size);
        return;
    }
    if (!info.hbmColor || !GetObjectA(info.hbmColor, sizeof colour, &colour) || colour.bmWidth != size)
        fail("icon size", size);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(icon);
}

static void check_wave(int id) {
    DWORD size;
    const unsigned char *data = resource(id, "WAVE", &size);
    if (!data || size < 44 || memcmp(data, "RIFF", 4) || memcmp(data + 8, "WAVEfmt ", 8) || memcmp(data + 36, "data", 4))
        fail("wave", id);
}

int main(void) {
    static const int pictures[] = {110, 112, 113, 114, 136, 118, 119, 120, 153, 146, 159, 135, 138, 141, 157};
    static const int waves[] = {121, 122, 123, 124, 125, 126, 127, 128, 129, 154};
    DWORD size;
    unsigned i;
    for (i = 0; i < sizeof pictures / sizeof *pictures; i++) {
        const unsigned char *p = resource(pictures[i], (LPCSTR)RT_RCDATA, &size);
        if (!p || size < 4 || p[0] != 0xFF || p[1] != 0xD8)
            fail("picture", pictures[i]);
    }
    check_region(115, 7, 1, 439, 443, (POINT){68, 138}, (POINT){3, 300});
    check_region(116, 0, 1, 439, 443, (POINT){81, 140}, (POINT){10, 5});
    check_region(139, 0, 0, 193, 217, (POINT){96, 100}, (POINT){96, 217});
    check_region(142, 1, 1, 194, 145, (POINT){96, 70}, (POINT){0, 70});
    check_bitmap(129, 176, 15, LR_LOADMAP3DCOLORS | LR_LOADTRANSPARENT);
    check_bitmap(135, 15, 14, 0);
    check_bitmap(136, 15, 14, 0);
    check_bitmap(151, 22, 22, 0);
    check_bitmap(152, 22, 22, 0);
    check_icon(16);
    check_icon(32);
    check_icon(48);
    for (i = 0; i < sizeof waves / sizeof *waves; i++)
        check_wave(waves[i]);
    printf("%d failures\n", failures);
    return failures;
}
