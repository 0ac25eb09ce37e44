// gdi_text.cpp -- turns cp1251 text into anti-aliased glyph pictures, keeping the recent ones
#include "platform/gdi_text.h"

#include <SDL.h>
#include <SDL_ttf.h>
#include <errno.h>
#include <iconv.h>

#include <cstdlib>
#include <cstring>

struct CachedText {
    HFONT font;
    COLORREF color;
    char *bytes;
    int count;
    SDL_Surface *rendered;
};

// The overlay draws the same two strings every frame; rendering them anew each time costs far
// more than looking them up.
static const int CACHED_TEXTS = 8;
static CachedText cache[CACHED_TEXTS] = {};
static int nextVictim = 0;

static iconv_t fromAnsi = (iconv_t)-1;
static HFONT defaultFont = nullptr;

// Each cp1251 byte becomes at most three bytes of UTF-8. Bytes the code page leaves undefined
// are shown as '?'.
static char *ToUtf8(const char *text, int count)
{
    if (fromAnsi == (iconv_t)-1) {
        fromAnsi = iconv_open("UTF-8", "CP1251");
        if (fromAnsi == (iconv_t)-1)
            return nullptr;
    }
    size_t size = (size_t)count * 3 + 1;
    char *utf8 = (char *)malloc(size);
    if (utf8 == nullptr)
        return nullptr;
    iconv(fromAnsi, nullptr, nullptr, nullptr, nullptr);
    char *in = (char *)text;
    size_t inLeft = (size_t)count;
    char *out = utf8;
    size_t outLeft = size - 1;
    while (inLeft > 0) {
        if (iconv(fromAnsi, &in, &inLeft, &out, &outLeft) != (size_t)-1)
            continue;
        if ((errno != EILSEQ && errno != EINVAL) || outLeft == 0) {
            free(utf8);
            return nullptr;
        }
        *out++ = '?';
        outLeft--;
        in++;
        inLeft--;
    }
    *out = '\0';
    return utf8;
}

static CachedText *FindCached(HFONT font, const char *text, int count, COLORREF color)
{
    for (CachedText &entry : cache)
        if (entry.bytes != nullptr && entry.font == font && entry.color == color &&
            entry.count == count && memcmp(entry.bytes, text, (size_t)count) == 0)
            return &entry;
    return nullptr;
}

// Takes ownership of rendered; a copy of the bytes that cannot be made just skips the cache.
static void Remember(HFONT font, const char *text, int count, COLORREF color, SDL_Surface *rendered)
{
    CachedText &entry = cache[nextVictim];
    nextVictim = (nextVictim + 1) % CACHED_TEXTS;
    free(entry.bytes);
    SDL_FreeSurface(entry.rendered);
    entry = CachedText{font, color, (char *)malloc((size_t)count), count, rendered};
    if (entry.bytes != nullptr)
        memcpy(entry.bytes, text, (size_t)count);
}

bool RenderText(HFONT font, const char *text, int count, COLORREF color, SDL_Surface **rendered)
{
    *rendered = nullptr;
    if (font == nullptr) {
        // A context with no font selected draws in the system's usual face, as Windows does.
        // Tried once: a face that cannot be found now will not be found on the next frame.
        static bool defaultTried = false;
        if (!defaultTried)
            defaultFont = CreateFontA(0, 0, 0, 0, 0, 0, 0, 0, DEFAULT_CHARSET, OUT_STRING_PRECIS,
                                      CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, nullptr);
        defaultTried = true;
        font = defaultFont;
    }
    TTF_Font *face = FaceOf(font);
    if (face == nullptr)
        return false;
    CachedText *known = FindCached(font, text, count, color);
    if (known != nullptr) {
        *rendered = known->rendered;
        return true;
    }
    char *utf8 = ToUtf8(text, count);
    if (utf8 == nullptr)
        return false;
    if (utf8[0] == '\0') {
        free(utf8);
        return true;
    }
    SDL_Color ink = {(Uint8)(color & 0xFF), (Uint8)((color >> 8) & 0xFF),
                     (Uint8)((color >> 16) & 0xFF), 255};
    SDL_Surface *made = TTF_RenderUTF8_Blended(face, utf8, ink);
    free(utf8);
    if (made == nullptr)
        return false;
    Remember(font, text, count, color, made);
    *rendered = made;
    return true;
}
