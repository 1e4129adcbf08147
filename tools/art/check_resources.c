/* Loads every art resource through the platform calls the program uses and
 * checks what comes back: region boxes, bitmap and icon sizes, wave headers,
 * at 100 % and at the display scales the art is also drawn for (pictures and
 * bitmaps at 200 % as id * 100 + 8, outlines at each as id * 100 + percent / 25).
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

/* A window outline at 100 % with a point inside and one outside it. */
struct outline {
    int id;
    RECT bounds;
    POINT inside, outside;
};

static LONG scaled(LONG v, int percent) {
    return MulDiv(v, percent, 100);
}

/* At other scales than 100 % the outline may reach a pixel further or less far
 * than the scaled bounds, as the pixels it half covers fall. */
static int within_slack(LONG got, LONG want, int percent) {
    LONG slack = percent == 100 ? 0 : 1;
    want = scaled(want, percent);
    return got >= want - slack && got <= want + slack;
}

static void check_region(const struct outline *o, int percent) {
    int id = percent == 100 ? o->id : o->id * 100 + percent / 25;
    DWORD size;
    const void *data = resource(id, (LPCSTR)RT_RCDATA, &size);
    HRGN rgn = data ? ExtCreateRegion(NULL, size, (const RGNDATA *)data) : NULL;
    RECT box;
    if (!rgn) {
        fail("region not created", id);
        return;
    }
    GetRgnBox(rgn, &box);
    if (!within_slack(box.left, o->bounds.left, percent) || !within_slack(box.top, o->bounds.top, percent) ||
        !within_slack(box.right, o->bounds.right, percent) || !within_slack(box.bottom, o->bounds.bottom, percent))
        fail("region bounds", id);
    if (!PtInRegion(rgn, scaled(o->inside.x, percent), scaled(o->inside.y, percent)) ||
        PtInRegion(rgn, scaled(o->outside.x, percent), scaled(o->outside.y, percent)))
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

static void check_picture(int id) {
    DWORD size;
    const unsigned char *p = resource(id, (LPCSTR)RT_RCDATA, &size);
    if (!p || size < 4 || p[0] != 0xFF || p[1] != 0xD8)
        fail("picture", id);
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
    static const struct outline outlines[] = {
        {115, {7, 1, 439, 443}, {68, 138}, {3, 300}},
        {116, {0, 1, 439, 443}, {81, 140}, {10, 5}},
        {139, {0, 0, 193, 217}, {96, 100}, {96, 217}},
        {142, {1, 1, 194, 145}, {96, 70}, {0, 70}},
    };
    static const int percents[] = {100, 125, 150, 175, 200};
    /* id, width, height and load flags at 100 % */
    static const struct { int id, w, h; UINT flags; } bitmaps[] = {
        {129, 176, 15, LR_LOADMAP3DCOLORS | LR_LOADTRANSPARENT},
        {135, 15, 14, 0}, {136, 15, 14, 0}, {151, 22, 22, 0}, {152, 22, 22, 0},
    };
    static const int icon_sizes[] = {16, 20, 24, 32, 40, 48, 64};
    static const int waves[] = {121, 122, 123, 124, 125, 126, 127, 128, 129, 154};
    unsigned i, j;
    for (i = 0; i < sizeof pictures / sizeof *pictures; i++) {
        check_picture(pictures[i]);
        check_picture(pictures[i] * 100 + 8);
    }
    for (i = 0; i < sizeof outlines / sizeof *outlines; i++)
        for (j = 0; j < sizeof percents / sizeof *percents; j++)
            check_region(&outlines[i], percents[j]);
    for (i = 0; i < sizeof bitmaps / sizeof *bitmaps; i++) {
        check_bitmap(bitmaps[i].id, bitmaps[i].w, bitmaps[i].h, bitmaps[i].flags);
        /* at its own size: the flags would stretch it to the size asked for */
        check_bitmap(bitmaps[i].id * 100 + 8, 2 * bitmaps[i].w, 2 * bitmaps[i].h, 0);
    }
    for (i = 0; i < sizeof icon_sizes / sizeof *icon_sizes; i++)
        check_icon(icon_sizes[i]);
    for (i = 0; i < sizeof waves / sizeof *waves; i++)
        check_wave(waves[i]);
    printf("%d failures\n", failures);
    return failures;
}
