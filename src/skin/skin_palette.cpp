#include "skin/skin_palette.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace bk::skin {
namespace {

const char* const kRoleNames[RoleCount] = {"Face", "FaceText", "Field", "FieldText"};
const char kFirstLine[] = ".SHE 1";
constexpr std::size_t kMaxNameLength = 32;

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

int hexValue(char c) {
    if (isDigit(c)) return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// One colour line, already stripped of its line end. Returns false when malformed;
// role is RoleCount for a well-formed line with a name this library does not use.
bool parseColourLine(const char* p, const char* end, int& role, Rgb& rgb) {
    while (p < end && isBlank(*p)) ++p;
    const char* name = p;
    if (p == end || !isLetter(*p)) return false;
    while (p < end && (isLetter(*p) || isDigit(*p))) ++p;
    std::size_t nameLength = static_cast<std::size_t>(p - name);
    if (nameLength > kMaxNameLength || p == end || !isBlank(*p)) return false;
    while (p < end && isBlank(*p)) ++p;
    int digits[6];
    for (int& d : digits) {
        if (p == end || (d = hexValue(*p)) < 0) return false;
        ++p;
    }
    while (p < end && isBlank(*p)) ++p;
    if (p != end) return false;

    rgb.r = static_cast<unsigned char>(digits[0] * 16 + digits[1]);
    rgb.g = static_cast<unsigned char>(digits[2] * 16 + digits[3]);
    rgb.b = static_cast<unsigned char>(digits[4] * 16 + digits[5]);
    role = RoleCount;
    for (int i = 0; i < RoleCount; ++i) {
        if (std::strlen(kRoleNames[i]) == nameLength &&
            std::memcmp(kRoleNames[i], name, nameLength) == 0) {
            role = i;
        }
    }
    return true;
}

double clampUnit(double x) { return std::min(1.0, std::max(0.0, x)); }

unsigned char toByte(double unit) {
    return static_cast<unsigned char>(std::lround(clampUnit(unit) * 255.0));
}

}  // namespace

bool parsePalette(const char* data, std::size_t size, Palette& out) {
    if (data == nullptr || size > kMaxSkinFileSize) return false;
    const char* const end = data + size;
    Palette result;
    bool seen[RoleCount] = {};
    bool firstLine = true;
    for (const char* line = data; line < end || firstLine;) {
        const char* lineEnd = static_cast<const char*>(std::memchr(line, '\n', end - line));
        const char* next = lineEnd ? lineEnd + 1 : end;
        if (!lineEnd) lineEnd = end;
        if (lineEnd > line && lineEnd[-1] == '\r') --lineEnd;
        // A stray NUL or control byte means this is not a text skin at all.
        for (const char* c = line; c < lineEnd; ++c) {
            if (static_cast<unsigned char>(*c) < 0x20 && *c != '\t') return false;
        }

        if (firstLine) {
            std::size_t n = static_cast<std::size_t>(lineEnd - line);
            if (n != sizeof kFirstLine - 1 || std::memcmp(line, kFirstLine, n) != 0) return false;
            firstLine = false;
        } else {
            const char* p = line;
            while (p < lineEnd && isBlank(*p)) ++p;
            if (p != lineEnd && *p != '#') {
                int role;
                Rgb rgb;
                if (!parseColourLine(p, lineEnd, role, rgb)) return false;
                if (role != RoleCount) {
                    if (seen[role]) return false;
                    seen[role] = true;
                    result.colour[role] = rgb;
                }
            }
        }
        line = next;
    }
    for (bool s : seen) {
        if (!s) return false;
    }
    out = result;
    return true;
}

Rgb shiftHsv(Rgb c, int hue, int saturation, int value) {
    saturation = std::min(100, std::max(-100, saturation));
    value = std::min(100, std::max(-100, value));
    if (hue % 360 == 0 && saturation == 0 && value == 0) return c;

    double r = c.r / 255.0, g = c.g / 255.0, b = c.b / 255.0;
    double max = std::max({r, g, b}), min = std::min({r, g, b});
    double delta = max - min;
    double h = 0.0;  // degrees; a grey keeps hue 0 and saturation 0, so turning it does nothing
    if (delta > 0.0) {
        if (max == r) {
            h = 60.0 * std::fmod((g - b) / delta, 6.0);
        } else if (max == g) {
            h = 60.0 * ((b - r) / delta + 2.0);
        } else {
            h = 60.0 * ((r - g) / delta + 4.0);
        }
    }
    double s = max > 0.0 ? delta / max : 0.0;
    double v = max;

    h = std::fmod(h + hue % 360 + 360.0, 360.0);
    s = clampUnit(s * (100 + saturation) / 100.0);
    v = clampUnit(v * (100 + value) / 100.0);

    double chroma = v * s;
    double hp = h / 60.0;
    double x = chroma * (1.0 - std::fabs(std::fmod(hp, 2.0) - 1.0));
    double r1 = 0, g1 = 0, b1 = 0;
    switch (static_cast<int>(hp) % 6) {
        case 0: r1 = chroma, g1 = x; break;
        case 1: r1 = x, g1 = chroma; break;
        case 2: g1 = chroma, b1 = x; break;
        case 3: g1 = x, b1 = chroma; break;
        case 4: r1 = x, b1 = chroma; break;
        default: r1 = chroma, b1 = x; break;
    }
    double m = v - chroma;
    return Rgb{toByte(r1 + m), toByte(g1 + m), toByte(b1 + m)};
}

Palette shiftPalette(const Palette& p, int hue, int saturation, int value) {
    Palette out;
    for (int i = 0; i < RoleCount; ++i) out.colour[i] = shiftHsv(p.colour[i], hue, saturation, value);
    return out;
}

}  // namespace bk::skin
