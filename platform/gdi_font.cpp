// gdi_font.cpp -- CreateFontA: the face found by fontconfig, sized by its cell and average width
#include <SDL.h>
#include <SDL_ttf.h>
#include <fontconfig/fontconfig.h>

#include <cstring>

#include "platform/gdi_text.h"

struct FontRecord {
    bool used;
    TTF_Font *face;
};

// The game makes one font; nothing deletes them, so a handful covers every use.
static const int MAX_FONTS = 16;
static FontRecord fonts[MAX_FONTS] = {};

// Height 0 asks for the face's usual size.
static const int DEFAULT_CELL = 16;
// Sizes beyond this are mistakes and would only make huge glyph surfaces.
static const int MAX_CELL = 512;
// The average width is the mean advance of these, as for a line of ordinary text.
static const char *AVERAGE_SAMPLE = "abcdefghijklmnopqrstuvwxyz ";

static FontRecord *FontOf(HFONT font)
{
    for (FontRecord &record : fonts)
        if (font == reinterpret_cast<HFONT>(&record) && record.used)
            return &record;
    return nullptr;
}

bool IsFont(HFONT font)
{
    return FontOf(font) != nullptr;
}

TTF_Font *FaceOf(HFONT font)
{
    FontRecord *record = FontOf(font);
    return record ? record->face : nullptr;
}

// The font file fontconfig picks for a Windows face name, weight (0 = normal) and slant.
static bool FindFontFile(LPCSTR faceName, int weight, bool italic, char *path, size_t size,
                         int *index)
{
    if (!FcInit())
        return false;
    FcPattern *pattern = FcPatternCreate();
    if (pattern == nullptr)
        return false;
    const char *family = faceName && faceName[0] ? faceName : "sans-serif";
    FcPatternAddString(pattern, FC_FAMILY, (const FcChar8 *)family);
    FcPatternAddInteger(pattern, FC_WEIGHT, FcWeightFromOpenType(weight > 0 ? weight : 400));
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern *match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    if (match == nullptr)
        return false;
    FcChar8 *file = nullptr;
    bool found = FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch &&
                 strlen((const char *)file) < size;
    if (found) {
        strcpy(path, (const char *)file);
        if (FcPatternGetInteger(match, FC_INDEX, 0, index) != FcResultMatch)
            *index = 0;
    }
    FcPatternDestroy(match);
    return found;
}

// The largest size, in steps of 1/72 of points, whose cell is no taller than cell pixels.
static unsigned FitCell(TTF_Font *face, int points, int cell)
{
    unsigned low = 1;
    unsigned high = 72 * 4;
    while (low < high) {
        unsigned middle = (low + high + 1) / 2;
        TTF_SetFontSizeDPI(face, points, middle, middle);
        if (TTF_FontHeight(face) <= cell)
            low = middle;
        else
            high = middle - 1;
    }
    return low;
}

static int SampleWidth(TTF_Font *face, int points, unsigned across, unsigned dpi)
{
    int width = 0;
    int height = 0;
    TTF_SetFontSizeDPI(face, points, across, dpi);
    if (TTF_SizeUTF8(face, AVERAGE_SAMPLE, &width, &height) != 0)
        return 0;
    return width;
}

// Stretches the face sideways until its average advance is closest to width pixels. Advances
// are whole pixels, so the stretch is searched for rather than worked out.
static void FitWidth(TTF_Font *face, int points, unsigned dpi, int width)
{
    int target = width * (int)strlen(AVERAGE_SAMPLE);
    unsigned low = 1;
    unsigned high = 72 * 64;
    while (low < high) {
        unsigned middle = (low + high + 1) / 2;
        if (SampleWidth(face, points, middle, dpi) <= target)
            low = middle;
        else
            high = middle - 1;
    }
    int below = SampleWidth(face, points, low, dpi);
    int above = SampleWidth(face, points, low + 1, dpi);
    TTF_SetFontSizeDPI(face, points, above - target < target - below ? low + 1 : low, dpi);
}

// height > 0 is the cell (ascent + descent), < 0 the em; width > 0 the average character width.
HFONT CreateFontA(int height, int width, int, int, int weight, DWORD italic, DWORD underline,
                  DWORD strikeOut, DWORD, DWORD, DWORD, DWORD, DWORD, LPCSTR faceName)
{
    FontRecord *record = nullptr;
    for (FontRecord &candidate : fonts)
        if (!candidate.used && record == nullptr)
            record = &candidate;
    if (record == nullptr || height < -MAX_CELL || height > MAX_CELL || width < 0 || width > MAX_CELL)
        return nullptr;
    if (!TTF_WasInit() && TTF_Init() != 0)
        return nullptr;
    char path[4096] = "";
    int index = 0;
    if (!FindFontFile(faceName, weight, italic != 0, path, sizeof path, &index))
        return nullptr;

    int cell = height > 0 ? height : DEFAULT_CELL;
    int points = height < 0 ? -height : cell;
    TTF_Font *face = TTF_OpenFontIndexDPI(path, points, index, 72, 72);
    if (face == nullptr)
        return nullptr;
    unsigned dpi = height < 0 ? 72 : FitCell(face, points, cell);
    TTF_SetFontSizeDPI(face, points, dpi, dpi);
    if (width > 0)
        FitWidth(face, points, dpi, width);
    TTF_SetFontStyle(face, (underline ? TTF_STYLE_UNDERLINE : 0) |
                               (strikeOut ? TTF_STYLE_STRIKETHROUGH : 0));
    *record = FontRecord{true, face};
    return reinterpret_cast<HFONT>(record);
}
