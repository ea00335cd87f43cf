// The skin file and the colour arithmetic of the skin library. Plain C++ without Windows
// headers, so that the rules stay readable apart from the hook machinery.
//
// A skin file is text. Its first line is ".SHE 1" (the format's mark and version); every
// further line is blank, a comment starting with '#', or a named colour:
//
//     Face      EEF3F8
//
// a name of letters and digits, blanks, and six hexadecimal digits red-green-blue. Lines end
// in LF or CR LF. The four colours the library paints with must all be present, each once;
// other names are read over, so a newer skin still works with this library.
#pragma once

#include <cstddef>

namespace bk::skin {

struct Rgb {
    unsigned char r = 0, g = 0, b = 0;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
    bool operator!=(const Rgb& o) const { return !(*this == o); }
};

enum Role {
    Face,       // window, dialog, label, group box and button backgrounds
    FaceText,   // text drawn on Face
    Field,      // edit boxes and drop-down lists
    FieldText,  // text drawn on Field
    RoleCount
};

struct Palette {
    Rgb colour[RoleCount];
};

// Larger files are refused unread: a skin is a few hundred bytes.
constexpr std::size_t kMaxSkinFileSize = 64 * 1024;

// False when the bytes are not a skin file (out is then unchanged).
bool parsePalette(const char* data, std::size_t size, Palette& out);

// hue in degrees (any value), saturation and value in percent, clamped to -100..100.
Rgb shiftHsv(Rgb c, int hue, int saturation, int value);
Palette shiftPalette(const Palette& p, int hue, int saturation, int value);

}  // namespace bk::skin
