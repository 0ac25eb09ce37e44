// make_pictures.cpp -- draws the game's four pictures and writes them as 24-bit BMP files
//
// Usage: make_pictures OUTDIR
// Writes OUTDIR/image/cursor.bmp, OUTDIR/image/prochee/bum.bmp,
// OUTDIR/image/prochee/fon_back01.bmp and OUTDIR/image/prochee/fon_back02.bmp.
// Everything is drawn from fixed seeds, so a run on the same toolchain gives the same bytes.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

// A colour with 0..255 channels, kept in floating point until the file is written so that
// gradients can be dithered down to the 16-bit display's levels.
struct Colour {
    float r;
    float g;
    float b;
};

struct Picture {
    int width;
    int height;
    std::vector<Colour> pixels;
};

static const int SCREEN_WIDTH = 1024;
static const int SCREEN_HEIGHT = 768;
static const int WATER_LINE = 600;  // first row of the lake in the backgrounds
static const float PI = 3.14159265f;

// ---- small helpers ------------------------------------------------------------------------

static Colour MakeColour(float r, float g, float b)
{
    Colour c = {r, g, b};
    return c;
}

static Colour Scale(Colour c, float k)
{
    return MakeColour(c.r * k, c.g * k, c.b * k);
}

static Colour Add(Colour a, Colour b)
{
    return MakeColour(a.r + b.r, a.g + b.g, a.b + b.b);
}

static Colour Mix(Colour a, Colour b, float t)
{
    return MakeColour(a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t);
}

static Colour Brighter(Colour a, Colour b)
{
    return MakeColour(std::max(a.r, b.r), std::max(a.g, b.g), std::max(a.b, b.b));
}

static float Clamp01(float v)
{
    return v < 0.0f ? 0.0f : (v > 1.0f ? 1.0f : v);
}

static float SmoothStep(float edge0, float edge1, float v)
{
    float t = Clamp01((v - edge0) / (edge1 - edge0));
    return t * t * (3.0f - 2.0f * t);
}

static Picture MakePicture(int width, int height, Colour fill)
{
    Picture p = {width, height, std::vector<Colour>(static_cast<size_t>(width) * height, fill)};
    return p;
}

static Colour& PixelAt(Picture& p, int x, int y)
{
    return p.pixels[static_cast<size_t>(y) * p.width + x];
}

static Colour ReadPixel(const Picture& p, int x, int y)
{
    x = std::clamp(x, 0, p.width - 1);
    y = std::clamp(y, 0, p.height - 1);
    return p.pixels[static_cast<size_t>(y) * p.width + x];
}

// Adds light to a pixel, ignoring positions off the picture.
static void AddLight(Picture& p, int x, int y, Colour c)
{
    if (x < 0 || y < 0 || x >= p.width || y >= p.height)
        return;
    Colour& d = PixelAt(p, x, y);
    d = Add(d, c);
}

// Colour at position t (0..1) along a list of stops placed at the positions in at.
static Colour Gradient(const Colour* stops, const float* at, int count, float t)
{
    if (t <= at[0])
        return stops[0];
    for (int i = 1; i < count; i++) {
        if (t <= at[i])
            return Mix(stops[i - 1], stops[i], SmoothStep(at[i - 1], at[i], t));
    }
    return stops[count - 1];
}

// ---- random numbers and noise -------------------------------------------------------------

static uint32_t randomState = 1;  // the pictures' own generator; each picture reseeds it

static void SeedRandom(uint32_t seed)
{
    randomState = seed ? seed : 1;
}

// xorshift32: small, fast and the same everywhere.
static uint32_t NextRandom()
{
    randomState ^= randomState << 13;
    randomState ^= randomState >> 17;
    randomState ^= randomState << 5;
    return randomState;
}

static float RandomUnit()
{
    return static_cast<float>(NextRandom() >> 8) / 16777216.0f;
}

static float RandomRange(float low, float high)
{
    return low + (high - low) * RandomUnit();
}

static uint32_t HashPoint(int x, int y, uint32_t seed)
{
    uint32_t h = seed * 0x9E3779B9u;
    h ^= static_cast<uint32_t>(x) * 0x85EBCA6Bu;
    h = (h << 13) | (h >> 19);
    h ^= static_cast<uint32_t>(y) * 0xC2B2AE35u;
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return h;
}

static float HashUnit(int x, int y, uint32_t seed)
{
    return static_cast<float>(HashPoint(x, y, seed) >> 8) / 16777216.0f;
}

// Value noise on the integer lattice, smoothly interpolated: 0..1.
static float Noise(float x, float y, uint32_t seed)
{
    float fx = std::floor(x);
    float fy = std::floor(y);
    int ix = static_cast<int>(fx);
    int iy = static_cast<int>(fy);
    float tx = x - fx;
    float ty = y - fy;
    tx = tx * tx * (3.0f - 2.0f * tx);
    ty = ty * ty * (3.0f - 2.0f * ty);
    float a = HashUnit(ix, iy, seed);
    float b = HashUnit(ix + 1, iy, seed);
    float c = HashUnit(ix, iy + 1, seed);
    float d = HashUnit(ix + 1, iy + 1, seed);
    return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
}

// Fractal noise: octaves of value noise, each twice as fine and half as strong: 0..1.
// Each octave is turned against the last so that the lattice leaves no straight seams.
static float Fractal(float x, float y, uint32_t seed, int octaves)
{
    float sum = 0.0f;
    float weight = 1.0f;
    float total = 0.0f;
    for (int i = 0; i < octaves; i++) {
        float u = 0.8f * x - 0.6f * y;
        float v = 0.6f * x + 0.8f * y;
        sum += Noise(u, v, seed + static_cast<uint32_t>(i) * 101u) * weight;
        total += weight;
        weight *= 0.5f;
        x = u * 2.0f;
        y = v * 2.0f;
    }
    return sum / total;
}

// ---- writing ------------------------------------------------------------------------------

static void PutLittle16(std::vector<uint8_t>& out, uint32_t v)
{
    out.push_back(static_cast<uint8_t>(v & 0xFF));
    out.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
}

static void PutLittle32(std::vector<uint8_t>& out, uint32_t v)
{
    PutLittle16(out, v & 0xFFFF);
    PutLittle16(out, v >> 16);
}

// One channel brought to a 5- or 6-bit level, ordered-dithered, and widened back to 8 bits so
// that the game's 24-to-16-bit conversion (which keeps the top bits) gives that level exactly.
static uint8_t QuantiseChannel(float value, int bits, float threshold)
{
    int top = (1 << bits) - 1;
    int level = static_cast<int>(std::floor(Clamp01(value / 255.0f) * top + threshold));
    level = std::clamp(level, 0, top);
    return static_cast<uint8_t>((level << (8 - bits)) | (level >> (2 * bits - 8)));
}

// Writes an uncompressed bottom-up 24-bit BMP with the 40-byte info header and nothing after
// the pixel array, which is the form the game's loader reads. Widths are multiples of 4, so
// rows need no padding. With dither off, colours are still snapped to 16-bit levels, so what
// the file shows is what the game shows.
static bool WriteBmp(const std::string& path, const Picture& p, bool dither)
{
    static const int BAYER[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    uint32_t imageBytes = static_cast<uint32_t>(p.width) * p.height * 3;
    std::vector<uint8_t> out;
    out.reserve(54 + imageBytes);
    out.push_back('B');
    out.push_back('M');
    PutLittle32(out, 54 + imageBytes);  // bfSize
    PutLittle16(out, 0);
    PutLittle16(out, 0);
    PutLittle32(out, 54);  // bfOffBits
    PutLittle32(out, 40);  // biSize
    PutLittle32(out, static_cast<uint32_t>(p.width));
    PutLittle32(out, static_cast<uint32_t>(p.height));  // positive: rows bottom-up
    PutLittle16(out, 1);   // biPlanes
    PutLittle16(out, 24);  // biBitCount
    PutLittle32(out, 0);   // biCompression: none
    PutLittle32(out, imageBytes);
    PutLittle32(out, 2835);  // 72 dots per inch
    PutLittle32(out, 2835);
    PutLittle32(out, 0);  // biClrUsed
    PutLittle32(out, 0);  // biClrImportant
    for (int y = p.height - 1; y >= 0; y--) {
        for (int x = 0; x < p.width; x++) {
            Colour c = p.pixels[static_cast<size_t>(y) * p.width + x];
            float threshold = dither ? (BAYER[y & 3][x & 3] + 0.5f) / 16.0f : 0.5f;
            out.push_back(QuantiseChannel(c.b, 5, threshold));
            out.push_back(QuantiseChannel(c.g, 6, threshold));
            out.push_back(QuantiseChannel(c.r, 5, threshold));
        }
    }
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) {
        std::fprintf(stderr, "make_pictures: cannot create %s\n", path.c_str());
        return false;
    }
    bool written = std::fwrite(out.data(), 1, out.size(), f) == out.size();
    if (std::fclose(f) != 0)
        written = false;
    if (!written)
        std::fprintf(stderr, "make_pictures: cannot write %s\n", path.c_str());
    return written;
}

// ---- backgrounds --------------------------------------------------------------------------

// The settings that make one background differ from the other.
struct Scene {
    uint32_t seed;
    const Colour* skyStops;
    const float* skyAt;
    int skyStopCount;
    float moonX;
    float moonY;
    float moonRadius;
    float moonPhase;       // 0 full; towards 1 an ever thinner crescent lit from the lower left
    Colour moonGlow;
    int starCount;
    float milkyWay;        // strength of the band of faint stars and dust
    float sunX;            // a glow below the horizon (dawn); strength 0 for none
    float sunStrength;
    float clouds;          // strength of lit cloud streaks
    Colour farRidge;
    Colour midRidge;
    Colour nearRidge;
    Colour haze;           // mist lying along the horizon behind the hills
    bool city;
    bool trees;
    Colour water;
};

static void DrawSky(Picture& p, const Scene& s)
{
    for (int y = 0; y < WATER_LINE; y++) {
        float t = static_cast<float>(y) / WATER_LINE;
        Colour base = Gradient(s.skyStops, s.skyAt, s.skyStopCount, t);
        for (int x = 0; x < p.width; x++) {
            Colour c = base;
            // Faint large-scale unevenness so the sky is not a flat ramp.
            float n = Fractal(x * 0.004f, y * 0.006f, s.seed + 1, 4) - 0.5f;
            c = Scale(c, 1.0f + n * 0.25f);
            if (s.sunStrength > 0.0f) {
                float dx = (x - s.sunX) / 420.0f;
                float dy = (WATER_LINE + 40 - y) / 260.0f;
                float d = std::sqrt(dx * dx + dy * dy);
                float k = s.sunStrength * std::exp(-d * 2.2f);
                c = Add(c, MakeColour(120.0f * k, 62.0f * k, 18.0f * k));
            }
            PixelAt(p, x, y) = c;
        }
    }
}

// A diagonal band of diffuse light with dark dust lanes, rising from the left horizon
// towards the upper right, well away from the title in the top-left corner.
static float MilkyWayStrength(float x, float y, uint32_t seed)
{
    // Distance from the line through (-100, 560) and (1100, -80).
    float ax = 1200.0f;
    float ay = -640.0f;
    float len = std::sqrt(ax * ax + ay * ay);
    float dist = std::fabs((x + 100.0f) * ay - (y - 560.0f) * ax) / len;
    float wobble = (Fractal(x * 0.006f, y * 0.006f, seed + 7, 3) - 0.5f) * 60.0f;
    float band = std::exp(-std::pow((dist + wobble) / 62.0f, 2.0f));
    float cloud = Fractal(x * 0.018f, y * 0.018f, seed + 11, 5);
    float dust = SmoothStep(0.5f, 0.66f, Fractal(x * 0.03f + 3.0f, y * 0.03f, seed + 13, 4));
    float lane = std::exp(-std::pow((dist - wobble * 0.5f) / 14.0f, 2.0f));
    return Clamp01(band * (0.3f + 1.2f * cloud) * (1.0f - 0.6f * dust) * (1.0f - 0.45f * lane));
}

static void DrawMilkyWay(Picture& p, const Scene& s)
{
    if (s.milkyWay <= 0.0f)
        return;
    for (int y = 0; y < WATER_LINE; y++) {
        float fade = 1.0f - SmoothStep(0.7f, 1.0f, static_cast<float>(y) / WATER_LINE);
        for (int x = 0; x < p.width; x++) {
            float m = MilkyWayStrength(static_cast<float>(x), static_cast<float>(y), s.seed);
            if (m <= 0.0f)
                continue;
            Colour glow = MakeColour(30.0f, 30.0f, 44.0f);
            AddLight(p, x, y, Scale(glow, m * s.milkyWay * fade));
        }
    }
}

// A star is a tiny soft spot placed between pixels, so that neighbours share its light.
static void DrawStar(Picture& p, float x, float y, Colour c, float size)
{
    int x0 = static_cast<int>(std::floor(x)) - 2;
    int y0 = static_cast<int>(std::floor(y)) - 2;
    for (int j = 0; j <= 4; j++) {
        for (int i = 0; i <= 4; i++) {
            float dx = x0 + i + 0.5f - x;
            float dy = y0 + j + 0.5f - y;
            float k = std::exp(-(dx * dx + dy * dy) / (2.0f * size * size));
            if (k > 0.02f)
                AddLight(p, x0 + i, y0 + j, Scale(c, k));
        }
    }
}

// Is (x, y) inside one of the corners the overlay text uses? Bright stars are kept out of them.
static bool InTextCorner(float x, float y)
{
    return (x < 300.0f && y < 32.0f) || (x > 960.0f && y > 744.0f);
}

static void DrawStars(Picture& p, const Scene& s)
{
    static const Colour TINTS[] = {
        {190.0f, 210.0f, 255.0f}, {235.0f, 240.0f, 255.0f}, {255.0f, 244.0f, 225.0f},
        {255.0f, 222.0f, 180.0f}, {255.0f, 196.0f, 170.0f}, {210.0f, 225.0f, 255.0f}};
    SeedRandom(s.seed + 21);
    int placed = 0;
    int tries = 0;
    while (placed < s.starCount && tries < s.starCount * 20) {
        tries++;
        float x = RandomRange(0.0f, static_cast<float>(p.width));
        float y = RandomRange(0.0f, WATER_LINE - 20.0f);
        float keep = 1.0f - 0.85f * SmoothStep(0.45f, 0.95f, y / WATER_LINE);
        Colour sky = ReadPixel(p, static_cast<int>(x), static_cast<int>(y));
        // Stars drown in a bright sky.
        keep *= 1.0f - SmoothStep(40.0f, 140.0f, (sky.r + sky.g + sky.b) / 3.0f);
        float pick = RandomUnit();
        float brightness = std::pow(RandomUnit(), 3.2f);
        Colour tint = TINTS[NextRandom() % 6];
        if (pick > keep || InTextCorner(x, y))
            continue;
        placed++;
        float strength = 0.16f + 0.95f * brightness;
        float size = 0.42f + 0.35f * brightness;
        DrawStar(p, x, y, Scale(tint, strength), size);
        if (brightness > 0.72f) {
            // The brightest few get short glints.
            int cx = static_cast<int>(x);
            int cy = static_cast<int>(y);
            for (int k = 2; k <= 4; k++) {
                float g = strength * 0.5f / (k - 1);
                AddLight(p, cx + k, cy, Scale(tint, g));
                AddLight(p, cx - k, cy, Scale(tint, g));
                AddLight(p, cx, cy + k, Scale(tint, g));
                AddLight(p, cx, cy - k, Scale(tint, g));
            }
        }
    }
    // Dust of faint stars inside the band.
    if (s.milkyWay > 0.0f) {
        for (int i = 0; i < 12000; i++) {
            float x = RandomRange(0.0f, static_cast<float>(p.width));
            float y = RandomRange(0.0f, WATER_LINE - 30.0f);
            float m = MilkyWayStrength(x, y, s.seed);
            float pick = RandomUnit();
            float brightness = RandomUnit();
            Colour tint = TINTS[NextRandom() % 6];
            if (pick > m * 0.6f || InTextCorner(x, y))
                continue;
            DrawStar(p, x, y, Scale(tint, 0.1f + 0.3f * brightness * brightness), 0.42f);
        }
    }
}

static void DrawMoon(Picture& p, const Scene& s)
{
    float r = s.moonRadius;
    int reach = static_cast<int>(r * 6.0f);
    for (int y = static_cast<int>(s.moonY) - reach; y <= static_cast<int>(s.moonY) + reach; y++) {
        for (int x = static_cast<int>(s.moonX) - reach; x <= static_cast<int>(s.moonX) + reach; x++) {
            if (x < 0 || y < 0 || x >= p.width || y >= WATER_LINE)
                continue;
            float dx = x + 0.5f - s.moonX;
            float dy = y + 0.5f - s.moonY;
            float d = std::sqrt(dx * dx + dy * dy);
            Colour& c = PixelAt(p, x, y);
            // Halo, brightest at the limb.
            float halo = std::exp(-std::max(0.0f, d - r) / (r * 1.3f));
            c = Add(c, Scale(s.moonGlow, halo * (1.0f - s.moonPhase * 0.6f)));
            float cover = Clamp01(r + 0.5f - d);
            if (cover <= 0.0f)
                continue;
            // The shadowed part: a second disc, shifted towards the upper right by less the
            // thinner the crescent; at phase 0 it misses the moon altogether.
            float shift = (1.0f - s.moonPhase) * r * 2.2f;
            float sx = dx - shift * 0.8f;
            float sy = dy + shift * 0.6f;
            float shadow = Clamp01(r + 0.5f - std::sqrt(sx * sx + sy * sy));
            float lit = cover * (1.0f - shadow);
            float limb = std::sqrt(Clamp01(1.0f - (d * d) / (r * r)));
            float maria = Fractal(dx * 0.09f + 5.0f, dy * 0.09f + 5.0f, s.seed + 31, 4);
            float craters = SmoothStep(0.55f, 0.75f, maria);
            Colour surface = MakeColour(240.0f, 236.0f, 214.0f);
            surface = Scale(surface, (0.80f + 0.20f * limb) * (1.0f - 0.2f * craters));
            Colour dark = Add(Scale(c, 0.75f), MakeColour(6.0f, 7.0f, 14.0f));  // earthshine
            c = Mix(c, Mix(dark, surface, lit > 0.0f ? lit / cover : 0.0f), cover);
        }
    }
}

// Height of a ridge line at column x: folded noise, which gives sharp peaks and rounded
// valleys, over a slow swell that raises whole ranges.
static float RidgeHeight(float x, float base, float amplitude, float scale, uint32_t seed)
{
    float sum = 0.0f;
    float weight = 1.0f;
    float total = 0.0f;
    float f = x * scale;
    for (int i = 0; i < 6; i++) {
        float v = 1.0f - std::fabs(Noise(f, 0.5f + i * 7.0f, seed + static_cast<uint32_t>(i)) * 2.0f - 1.0f);
        sum += v * v * weight;
        total += weight;
        weight *= 0.5f;
        f *= 2.1f;
    }
    float swell = Noise(x * scale * 0.35f, 9.5f, seed + 50);
    return base - amplitude * (sum / total) * (0.45f + 0.75f * swell);
}

// Fills everything below a ridge line down to the water, with soft edges and the side facing
// the moon lit a little.
static void DrawRidge(Picture& p, const Scene& s, float base, float amplitude, float scale,
                      uint32_t seed, Colour colour, float hazeDepth)
{
    for (int x = 0; x < p.width; x++) {
        float top = RidgeHeight(static_cast<float>(x), base, amplitude, scale, seed);
        // Faces turned towards the light: the ridge falling away to the right, measured over a
        // few columns so that the shading follows whole faces rather than single pixels.
        float slope = (RidgeHeight(x + 6.0f, base, amplitude, scale, seed) -
                       RidgeHeight(x - 6.0f, base, amplitude, scale, seed)) / 12.0f;
        float lit = SmoothStep(0.0f, 0.8f, slope);
        for (int y = static_cast<int>(std::floor(top)); y < WATER_LINE; y++) {
            if (y < 0)
                continue;
            float cover = Clamp01(y + 1.0f - top);
            // Mist thickens towards the water, by row alone so that it lies level.
            float mist = SmoothStep(base - amplitude * 0.4f, static_cast<float>(WATER_LINE), static_cast<float>(y));
            Colour c = Mix(colour, s.haze, hazeDepth * mist);
            float texture = Fractal(x * 0.05f, y * 0.05f, seed + 3, 3) - 0.5f;
            float rim = lit * std::exp(-(y - top) / 2.5f);
            c = Scale(c, 1.0f + texture * 0.25f + rim * 0.6f);
            Colour& d = PixelAt(p, x, y);
            d = Mix(d, c, cover);
        }
    }
}

// A town on the shore: blocks of dark buildings with a few lit windows and a mast.
static void DrawCity(Picture& p, const Scene& s)
{
    SeedRandom(s.seed + 41);
    // Light from the town on the haze above it.
    for (int y = 430; y < WATER_LINE; y++) {
        for (int x = 60; x < 760; x++) {
            float dx = (x - 400.0f) / 300.0f;
            float dy = (WATER_LINE - y) / 110.0f;
            float k = std::exp(-(dx * dx + dy * dy) * 1.6f);
            AddLight(p, x, y, MakeColour(34.0f * k, 20.0f * k, 18.0f * k));
        }
    }
    int x = 150;
    while (x < 660) {
        int width = static_cast<int>(RandomRange(10.0f, 34.0f)) & ~1;
        float centre = 1.0f - std::fabs((x + width * 0.5f - 400.0f) / 270.0f);
        int height = static_cast<int>(RandomRange(18.0f, 40.0f) + 70.0f * centre * RandomUnit());
        float shade = RandomRange(0.85f, 1.2f);
        Colour wall = Scale(MakeColour(14.0f, 13.0f, 30.0f), shade);
        int top = WATER_LINE - height;
        for (int yy = top; yy < WATER_LINE; yy++) {
            for (int xx = x; xx < x + width && xx < p.width; xx++)
                PixelAt(p, xx, yy) = wall;
        }
        // Windows in a grid, a few lit.
        float litShare = RandomRange(0.08f, 0.3f);
        for (int wy = top + 3; wy < WATER_LINE - 4; wy += 5) {
            for (int wx = x + 2; wx < x + width - 2; wx += 4) {
                if (RandomUnit() > litShare)
                    continue;
                float warm = RandomUnit();
                Colour light = warm < 0.8f ? MakeColour(255.0f, 205.0f, 120.0f)
                                           : MakeColour(170.0f, 215.0f, 255.0f);
                light = Scale(light, RandomRange(0.55f, 1.0f));
                PixelAt(p, wx, wy) = light;
                PixelAt(p, wx + 1, wy) = Scale(light, 0.8f);
                PixelAt(p, wx, wy + 1) = Scale(light, 0.7f);
                PixelAt(p, wx + 1, wy + 1) = Scale(light, 0.6f);
            }
        }
        x += width + static_cast<int>(RandomRange(0.0f, 5.0f));
    }
    // A radio mast with a red light on top.
    int mastX = 452;
    for (int y = WATER_LINE - 150; y < WATER_LINE - 60; y++)
        PixelAt(p, mastX, y) = MakeColour(16.0f, 14.0f, 30.0f);
    DrawStar(p, mastX + 0.5f, WATER_LINE - 150.5f, MakeColour(255.0f, 40.0f, 30.0f), 0.9f);
}

// A row of pines along the shore, darker than the nearest hills.
static void DrawTrees(Picture& p, const Scene& s)
{
    SeedRandom(s.seed + 51);
    Colour dark = Scale(s.nearRidge, 0.6f);
    float x = 0.0f;
    while (x < p.width) {
        float height = RandomRange(14.0f, 46.0f);
        float half = height * RandomRange(0.18f, 0.26f);
        float foot = static_cast<float>(WATER_LINE);
        for (int y = static_cast<int>(foot - height); y < WATER_LINE; y++) {
            float t = (y - (foot - height)) / height;
            // Tiers of branches: the width saws in and out on the way down.
            float w = half * t * (0.75f + 0.25f * std::fabs(std::sin(t * 14.0f)));
            for (int xx = static_cast<int>(x - w); xx <= static_cast<int>(x + w); xx++) {
                if (xx >= 0 && xx < p.width && y >= 0)
                    PixelAt(p, xx, y) = dark;
            }
        }
        x += RandomRange(5.0f, 26.0f) + (RandomUnit() < 0.12f ? RandomRange(30.0f, 120.0f) : 0.0f);
    }
}

// The lake: the picture above mirrored, broken up by ripples, with a glitter path below the
// moon (or the sun) and everything darkening towards the viewer.
static void DrawWater(Picture& p, const Scene& s, float glitterX, Colour glitterColour)
{
    for (int y = WATER_LINE; y < p.height; y++) {
        float dy = static_cast<float>(y - WATER_LINE) + 1.0f;
        float closeness = dy / (p.height - WATER_LINE);
        for (int x = 0; x < p.width; x++) {
            float ripple = (Fractal(x * 0.015f, dy * 0.25f, s.seed + 61, 3) - 0.5f) * (2.0f + dy * 0.12f);
            float wave = (Fractal(x * 0.01f, dy * 0.09f, s.seed + 67, 2) - 0.5f) * 0.35f;
            int sx = static_cast<int>(x + ripple);
            int sy = static_cast<int>(WATER_LINE - dy * (1.0f + wave) - 1.0f);
            Colour mirrored = ReadPixel(p, sx, std::max(0, sy));
            // Lights smear downwards on moving water: take the brighter of a few rows.
            for (int k = 1; k <= 3; k++)
                mirrored = Brighter(mirrored, Scale(ReadPixel(p, sx, std::max(0, sy + k * 2)), 0.8f));
            float reflect = 0.6f - 0.42f * closeness;
            Colour c = Add(Scale(s.water, 1.0f - 0.5f * closeness), Scale(mirrored, reflect));
            // Glitter: short horizontal flecks under the light, the path widening towards us.
            float spread = 6.0f + dy * 0.55f;
            float path = std::exp(-std::pow((x - glitterX) / spread, 2.0f));
            if (path > 0.01f) {
                float fleck = Noise(x * 0.22f, dy * 1.3f, s.seed + 71);
                float k = SmoothStep(0.55f, 0.85f, fleck) * path * (1.0f - 0.6f * closeness);
                c = Add(c, Scale(glitterColour, k));
            }
            PixelAt(p, x, y) = c;
        }
    }
    // A faint bright line where the far shore meets the water.
    for (int x = 0; x < p.width; x++) {
        Colour& c = PixelAt(p, x, WATER_LINE);
        c = Add(c, Scale(s.haze, 0.25f));
    }
}

// Darkens towards the edges, most in the corners where the overlay text sits.
static void DrawVignette(Picture& p)
{
    for (int y = 0; y < p.height; y++) {
        for (int x = 0; x < p.width; x++) {
            float dx = (x - p.width * 0.5f) / (p.width * 0.5f);
            float dy = (y - p.height * 0.5f) / (p.height * 0.5f);
            float k = 1.0f - 0.28f * SmoothStep(0.5f, 1.9f, dx * dx + dy * dy);
            PixelAt(p, x, y) = Scale(PixelAt(p, x, y), k);
        }
    }
}

// Thin streaks of cloud in the lower sky, lit from below by the sun.
static void DrawClouds(Picture& p, const Scene& s)
{
    if (s.clouds <= 0.0f)
        return;
    for (int y = 200; y < WATER_LINE; y++) {
        float band = SmoothStep(200.0f, 330.0f, static_cast<float>(y)) *
                     (1.0f - SmoothStep(500.0f, 560.0f, static_cast<float>(y)));
        float low = SmoothStep(250.0f, 540.0f, static_cast<float>(y));
        for (int x = 0; x < p.width; x++) {
            float n = Fractal(x * 0.0035f, y * 0.03f, s.seed + 81, 5);
            float density = SmoothStep(0.5f, 0.72f, n) * band * s.clouds;
            if (density <= 0.0f)
                continue;
            // Pink-orange underneath, purple above.
            Colour top = MakeColour(78.0f, 42.0f, 96.0f);
            Colour under = MakeColour(250.0f, 128.0f, 104.0f);
            float sun = std::exp(-std::fabs(x - s.sunX) / 500.0f);
            Colour cloud = Mix(top, under, Clamp01(low * (0.4f + 0.7f * sun)));
            Colour& c = PixelAt(p, x, y);
            c = Mix(c, cloud, density * 0.85f);
        }
    }
}

static Picture DrawBackground(const Scene& s)
{
    Picture p = MakePicture(SCREEN_WIDTH, SCREEN_HEIGHT, MakeColour(0.0f, 0.0f, 0.0f));
    DrawSky(p, s);
    DrawMilkyWay(p, s);
    DrawStars(p, s);
    DrawMoon(p, s);
    DrawClouds(p, s);
    DrawRidge(p, s, 540.0f, 120.0f, 0.0045f, s.seed + 91, s.farRidge, 0.7f);
    DrawRidge(p, s, 575.0f, 60.0f, 0.008f, s.seed + 93, s.midRidge, 0.45f);
    if (s.city)
        DrawCity(p, s);
    DrawRidge(p, s, 600.0f, 26.0f, 0.012f, s.seed + 97, s.nearRidge, 0.1f);
    if (s.trees)
        DrawTrees(p, s);
    Colour glitter = s.sunStrength > 0.0f ? MakeColour(255.0f, 170.0f, 90.0f)
                                          : MakeColour(225.0f, 222.0f, 200.0f);
    float glitterX = s.sunStrength > 0.0f ? s.sunX : s.moonX;
    DrawWater(p, s, glitterX, glitter);
    DrawVignette(p);
    return p;
}

static Picture DrawNight()
{
    static const Colour STOPS[] = {{5.0f, 7.0f, 26.0f},    {12.0f, 15.0f, 50.0f},
                                   {30.0f, 24.0f, 80.0f},  {44.0f, 44.0f, 104.0f},
                                   {42.0f, 86.0f, 120.0f}, {64.0f, 118.0f, 132.0f}};
    static const float AT[] = {0.0f, 0.4f, 0.72f, 0.86f, 0.95f, 1.0f};
    Scene s = {};
    s.seed = 1001;
    s.skyStops = STOPS;
    s.skyAt = AT;
    s.skyStopCount = 6;
    s.moonX = 830.0f;
    s.moonY = 175.0f;
    s.moonRadius = 30.0f;
    s.moonPhase = 0.0f;
    s.moonGlow = MakeColour(34.0f, 40.0f, 62.0f);
    s.starCount = 800;
    s.milkyWay = 1.0f;
    s.sunX = 0.0f;
    s.sunStrength = 0.0f;
    s.clouds = 0.0f;
    s.farRidge = MakeColour(34.0f, 32.0f, 74.0f);
    s.midRidge = MakeColour(20.0f, 18.0f, 46.0f);
    s.nearRidge = MakeColour(10.0f, 10.0f, 24.0f);
    s.haze = MakeColour(52.0f, 70.0f, 110.0f);
    s.city = true;
    s.trees = false;
    s.water = MakeColour(6.0f, 9.0f, 24.0f);
    return DrawBackground(s);
}

static Picture DrawDawn()
{
    static const Colour STOPS[] = {{8.0f, 12.0f, 44.0f},    {30.0f, 30.0f, 92.0f},
                                   {96.0f, 52.0f, 116.0f},  {196.0f, 92.0f, 100.0f},
                                   {246.0f, 146.0f, 88.0f}, {255.0f, 196.0f, 120.0f}};
    static const float AT[] = {0.0f, 0.35f, 0.62f, 0.82f, 0.94f, 1.0f};
    Scene s = {};
    s.seed = 2002;
    s.skyStops = STOPS;
    s.skyAt = AT;
    s.skyStopCount = 6;
    s.moonX = 850.0f;
    s.moonY = 120.0f;
    s.moonRadius = 16.0f;
    s.moonPhase = 0.72f;
    s.moonGlow = MakeColour(16.0f, 18.0f, 30.0f);
    s.starCount = 260;
    s.milkyWay = 0.0f;
    s.sunX = 330.0f;
    s.sunStrength = 1.0f;
    s.clouds = 1.0f;
    s.farRidge = MakeColour(84.0f, 40.0f, 92.0f);
    s.midRidge = MakeColour(46.0f, 24.0f, 62.0f);
    s.nearRidge = MakeColour(22.0f, 14.0f, 36.0f);
    s.haze = MakeColour(190.0f, 96.0f, 104.0f);
    s.city = false;
    s.trees = true;
    s.water = MakeColour(14.0f, 10.0f, 34.0f);
    return DrawBackground(s);
}

// ---- explosion ----------------------------------------------------------------------------

static const int EXPLOSION_SIZE = 32;
static const int EXPLOSION_FRAMES = 16;

// Fire colour by temperature 0..1: smoke red, red, orange, yellow, white.
static Colour FireColour(float t)
{
    static const Colour STOPS[] = {{0.0f, 0.0f, 0.0f},     {90.0f, 18.0f, 10.0f},
                                   {190.0f, 40.0f, 8.0f},  {250.0f, 112.0f, 16.0f},
                                   {255.0f, 200.0f, 60.0f}, {255.0f, 248.0f, 200.0f},
                                   {255.0f, 255.0f, 255.0f}};
    static const float AT[] = {0.0f, 0.12f, 0.3f, 0.5f, 0.68f, 0.86f, 1.0f};
    return Gradient(STOPS, AT, 7, Clamp01(t));
}

// One picture of the explosion, t running from 0 (flash) to 1 (gone).
static void DrawExplosionFrame(Picture& sheet, int frame)
{
    float t = static_cast<float>(frame) / (EXPLOSION_FRAMES - 1);
    float radius = 5.5f + 8.5f * (1.0f - std::pow(1.0f - t, 2.2f));
    float heat = 1.15f * std::exp(-2.6f * t);
    float hollow = SmoothStep(0.3f, 0.9f, t);
    float smoke = SmoothStep(0.2f, 0.5f, t) * (1.0f - SmoothStep(0.6f, 1.0f, t));
    float fade = 1.0f - 0.9f * SmoothStep(0.72f, 1.05f, t);
    float centre = EXPLOSION_SIZE * 0.5f;
    int left = frame * EXPLOSION_SIZE;
    uint32_t seed = 3003;
    float drift = frame * 0.45f;  // the turbulence rolls on from picture to picture
    for (int y = 0; y < EXPLOSION_SIZE; y++) {
        for (int x = 0; x < EXPLOSION_SIZE; x++) {
            float dx = x + 0.5f - centre;
            float dy = y + 0.5f - centre;
            float d = std::sqrt(dx * dx + dy * dy);
            float angle = std::atan2(dy, dx);
            // Billows at the edge: the rim is pushed in and out by noise that follows the angle.
            float lobes = Fractal(std::cos(angle) * 1.6f + 10.0f + drift * 0.3f,
                                  std::sin(angle) * 1.6f + 10.0f, seed, 3);
            float turbulence = Fractal(x * 0.28f + drift, y * 0.28f - drift * 0.7f, seed + 5, 4);
            float rim = radius * (0.78f + 0.42f * lobes);
            float density = 1.0f - SmoothStep(rim * 0.55f, rim, d + (turbulence - 0.5f) * 4.0f);
            density *= 1.0f - SmoothStep(14.0f, 15.8f, d);  // never cut by the cell's edge
            // As it cools the cloud tears into puffs with gaps between them.
            float puffs = Fractal(x * 0.19f - drift * 0.4f, y * 0.19f + drift * 0.5f, seed + 9, 3);
            density *= 1.0f - SmoothStep(0.25f, 0.8f, t) * (1.0f - SmoothStep(0.32f, 0.6f, puffs));
            if (density <= 0.0f)
                continue;
            float r = d / radius;
            float pockets = Fractal(x * 0.45f - drift, y * 0.45f + drift, seed + 7, 2);
            float temperature = heat * (1.1f - 0.65f * r) * (0.45f + 0.8f * turbulence + 0.35f * pockets);
            // The middle burns out first, leaving a ring.
            temperature *= 1.0f - 0.75f * hollow * std::exp(-r * r * 3.0f);
            Colour fire = FireColour(temperature);
            Colour soot = Scale(MakeColour(78.0f, 36.0f, 30.0f), smoke * (0.45f + 0.8f * turbulence));
            Colour c = Scale(Brighter(fire, soot), density * fade);
            PixelAt(sheet, left + x, y) = c;
        }
    }
    // Sparks thrown out fast, each fading over its own short life.
    SeedRandom(seed + 17);
    for (int i = 0; i < 22; i++) {
        float angle = RandomRange(0.0f, 2.0f * PI);
        float speed = RandomRange(7.0f, 15.0f);
        float life = RandomRange(0.25f, 0.6f);
        float age = t / life;
        if (age >= 1.0f || frame == 0)
            continue;
        float travel = speed * (1.0f - (1.0f - age) * (1.0f - age));
        float glow = 1.0f - age;
        for (int k = 0; k < 3; k++) {
            float along = travel - k * 1.2f;
            if (along < 0.0f)
                break;
            int sx = static_cast<int>(centre + std::cos(angle) * along);
            int sy = static_cast<int>(centre + std::sin(angle) * along);
            if (sx < 0 || sy < 0 || sx >= EXPLOSION_SIZE || sy >= EXPLOSION_SIZE)
                continue;
            Colour spark = FireColour(0.95f * glow - k * 0.18f + 0.1f);
            Colour& c = PixelAt(sheet, left + sx, sy);
            c = Brighter(c, spark);
        }
    }
    // The last picture leaves a few embers glowing where the fire was.
    if (frame >= EXPLOSION_FRAMES - 2) {
        for (int i = 0; i < (EXPLOSION_FRAMES - frame) * 5; i++) {
            int ex = static_cast<int>(centre + RandomRange(-9.0f, 9.0f));
            int ey = static_cast<int>(centre + RandomRange(-9.0f, 9.0f));
            PixelAt(sheet, left + ex, ey) = FireColour(RandomRange(0.2f, 0.34f));
        }
    }
    // The flash of the first picture: short rays of light.
    if (frame == 0) {
        for (int k = 0; k < 8; k++) {
            float angle = k * PI / 4.0f + 0.2f;
            float length = (k % 2 == 0) ? 12.0f : 8.0f;
            for (float along = 3.0f; along < length; along += 0.5f) {
                int sx = static_cast<int>(centre + std::cos(angle) * along);
                int sy = static_cast<int>(centre + std::sin(angle) * along);
                Colour ray = FireColour(1.0f - along / length * 0.55f);
                Colour& c = PixelAt(sheet, left + sx, sy);
                c = Brighter(c, Scale(ray, 1.0f - along / length * 0.5f));
            }
        }
    }
    // Whatever is too dim to see becomes the transparent black, so the picture keeps a clean
    // edge instead of a dark fringe over the background.
    for (int y = 0; y < EXPLOSION_SIZE; y++) {
        for (int x = 0; x < EXPLOSION_SIZE; x++) {
            Colour& c = PixelAt(sheet, left + x, y);
            if (std::max(c.r, std::max(c.g, c.b)) < 22.0f)
                c = MakeColour(0.0f, 0.0f, 0.0f);
        }
    }
}

static Picture DrawExplosion()
{
    Picture sheet = MakePicture(EXPLOSION_SIZE * EXPLOSION_FRAMES, EXPLOSION_SIZE, MakeColour(0.0f, 0.0f, 0.0f));
    for (int frame = 0; frame < EXPLOSION_FRAMES; frame++)
        DrawExplosionFrame(sheet, frame);
    return sheet;
}

// ---- cursor -------------------------------------------------------------------------------

static const int CURSOR_SIZE = 16;

// The arrow, tip at the top-left corner (the hot spot): 'E' edge, 'F' fill, '.' transparent.
static const char* const ARROW[CURSOR_SIZE] = {
    "E...............",
    "EE..............",
    "EFE.............",
    "EFFE............",
    "EFFFE...........",
    "EFFFFE..........",
    "EFFFFFE.........",
    "EFFFFFFE........",
    "EFFFFFFFE.......",
    "EFFFFFFFFE......",
    "EFFFFFEEEEE.....",
    "EFFEFFE.........",
    "EFE.EFFE........",
    "EE..EFFE........",
    ".....EFFE.......",
    "......EE........",
};

// Picture 0 is the arrow lit up, picture 1 the same arrow dimmed, so the blink is clear.
static void DrawCursorFrame(Picture& p, int frame)
{
    Colour edge = frame == 0 ? MakeColour(255.0f, 255.0f, 255.0f) : MakeColour(150.0f, 230.0f, 255.0f);
    Colour fillTop = frame == 0 ? MakeColour(150.0f, 240.0f, 255.0f) : MakeColour(40.0f, 120.0f, 210.0f);
    Colour fillBottom = frame == 0 ? MakeColour(30.0f, 150.0f, 255.0f) : MakeColour(24.0f, 48.0f, 140.0f);
    int left = frame * CURSOR_SIZE;
    for (int y = 0; y < CURSOR_SIZE; y++) {
        for (int x = 0; x < CURSOR_SIZE; x++) {
            char cell = ARROW[y][x];
            if (cell == 'E')
                PixelAt(p, left + x, y) = edge;
            else if (cell == 'F')
                PixelAt(p, left + x, y) = Mix(fillTop, fillBottom, Clamp01((x + y) / 18.0f));
        }
    }
}

static Picture DrawCursor()
{
    Picture p = MakePicture(CURSOR_SIZE * 2, CURSOR_SIZE, MakeColour(0.0f, 0.0f, 0.0f));
    DrawCursorFrame(p, 0);
    DrawCursorFrame(p, 1);
    return p;
}

// ---- entry --------------------------------------------------------------------------------

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_pictures OUTDIR\n");
        return 2;
    }
    std::string root = argv[1];
    std::error_code error;
    std::filesystem::create_directories(root + "/image/prochee", error);
    if (error) {
        std::fprintf(stderr, "make_pictures: cannot make %s/image/prochee: %s\n", root.c_str(),
                     error.message().c_str());
        return 1;
    }
    bool ok = WriteBmp(root + "/image/cursor.bmp", DrawCursor(), false);
    ok = ok && WriteBmp(root + "/image/prochee/bum.bmp", DrawExplosion(), true);
    ok = ok && WriteBmp(root + "/image/prochee/fon_back01.bmp", DrawNight(), true);
    ok = ok && WriteBmp(root + "/image/prochee/fon_back02.bmp", DrawDawn(), true);
    return ok ? 0 : 1;
}
