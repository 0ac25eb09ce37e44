// bmp_file.h -- builds bitmap files byte by byte for the loader's tests, damaged ones included
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

typedef std::vector<uint8_t> Bytes;

// What goes into a file: the two headers' fields that matter, then the colour table,
// any bytes between it and the pixel array, and the pixel array itself (bottom row first).
struct BmpLayout {
    uint16_t magic = 0x4D42;
    int32_t width = 0;
    int32_t height = 0;
    uint16_t bits = 16;
    uint32_t sizeImage = 0;
    uint32_t colorsUsed = 0;
    Bytes table;
    Bytes gap;
    Bytes pixels;
};

inline void PutLittle(Bytes &out, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; i++)
        out.push_back((uint8_t)(value >> (8 * i)));
}

inline Bytes BmpBytes(const BmpLayout &b)
{
    Bytes out;
    uint32_t offset = 54 + (uint32_t)(b.table.size() + b.gap.size());
    PutLittle(out, b.magic, 2);
    PutLittle(out, offset + (uint32_t)b.pixels.size(), 4);
    PutLittle(out, 0, 4);
    PutLittle(out, offset, 4);
    PutLittle(out, 40, 4);
    PutLittle(out, (uint32_t)b.width, 4);
    PutLittle(out, (uint32_t)b.height, 4);
    PutLittle(out, 1, 2);
    PutLittle(out, b.bits, 2);
    PutLittle(out, 0, 4);
    PutLittle(out, b.sizeImage, 4);
    PutLittle(out, 2835, 4);
    PutLittle(out, 2835, 4);
    PutLittle(out, b.colorsUsed, 4);
    PutLittle(out, 0, 4);
    out.insert(out.end(), b.table.begin(), b.table.end());
    out.insert(out.end(), b.gap.begin(), b.gap.end());
    out.insert(out.end(), b.pixels.begin(), b.pixels.end());
    return out;
}

// 16-bit pixel values as the file stores them, little-endian.
inline Bytes Words(const std::vector<uint16_t> &values)
{
    Bytes out;
    for (uint16_t v : values)
        PutLittle(out, v, 2);
    return out;
}

// A folder of its own under /tmp for a test's files, removed with them.
class TempFolder {
public:
    TempFolder()
    {
        char pattern[] = "/tmp/zaf-bmp-XXXXXX";
        if (mkdtemp(pattern))
            path = pattern;
    }
    ~TempFolder()
    {
        for (const std::string &file : files)
            unlink(file.c_str());
        rmdir(path.c_str());
    }
    std::string Write(const std::string &name, const Bytes &bytes)
    {
        std::string file = path + "/" + name;
        FILE *out = fopen(file.c_str(), "wb");
        if (out) {
            if (!bytes.empty())
                fwrite(bytes.data(), 1, bytes.size(), out);
            fclose(out);
        }
        files.push_back(file);
        return file;
    }

    std::string path;

private:
    std::vector<std::string> files;
};

inline Bytes ReadWholeFile(const std::string &name)
{
    Bytes out;
    FILE *in = fopen(name.c_str(), "rb");
    if (!in)
        return out;
    int c = 0;
    while ((c = getc(in)) != EOF)
        out.push_back((uint8_t)c);
    fclose(in);
    return out;
}

// A checked-in picture in tests/data/ of the source folder.
inline std::string DataFile(const char *name)
{
    const char *root = getenv("ZAF_SOURCE_DIR");
    return std::string(root ? root : ".") + "/tests/data/" + name;
}
