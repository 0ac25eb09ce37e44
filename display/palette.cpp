// palette.cpp -- reads the 8-bit display's colours from a text file of decimal numbers
#include "display/palette.h"

#include <cctype>
#include <cstdio>

static const int ENTRIES = 256;

// Reads one whitespace-led decimal number with an optional sign into value, modulo 256,
// however many digits it has. 0 at the end of the file or at anything that is not a
// number; that character stays unread (a sign before it is used up).
static int ReadNumber(FILE *file, BYTE *value)
{
    int c = getc(file);
    while (c != EOF && isspace(c))
        c = getc(file);
    int negative = 0;
    if (c == '-' || c == '+') {
        negative = c == '-';
        c = getc(file);
    }
    if (c == EOF || !isdigit(c)) {
        if (c != EOF)
            ungetc(c, file);
        return 0;
    }
    unsigned low = 0;
    while (c != EOF && isdigit(c)) {
        low = (low * 10 + (unsigned)(c - '0')) & 0xFF;
        c = getc(file);
    }
    if (c != EOF)
        ungetc(c, file);
    *value = (BYTE)(negative ? (0u - low) & 0xFF : low);
    return 1;
}

int ReadPaletteText(const char *fileName, PALETTEENTRY *entries)
{
    if (fileName == nullptr || entries == nullptr)
        return 0;
    FILE *file = fopen(fileName, "r");
    if (file == nullptr)
        return 0;
    // Each entry is one read of four numbers: a field that fails ends that entry, and what
    // stopped it stays unread for the next. A letter therefore stops every later entry too,
    // while a lone sign is used up and the next entry reads on after it.
    for (int i = 0; i < ENTRIES; i++) {
        BYTE *fields[4] = {&entries[i].peRed, &entries[i].peGreen, &entries[i].peBlue,
                           &entries[i].peFlags};
        for (int f = 0; f < 4; f++)
            if (!ReadNumber(file, fields[f]))
                break;
    }
    fclose(file);
    return 1;
}
