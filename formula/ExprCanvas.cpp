#include "ExprCanvas.h"

namespace mevario {

namespace {

// Bytes 0x80 to 0xFF of the Cyrillic Windows code page.
constexpr char16_t kCirillico[128] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F,
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427,
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437,
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F,
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,
};

} // namespace

char16_t NarrowToUnicode(unsigned char c)
{
    return c < 0x80 ? static_cast<char16_t>(c) : kCirillico[c - 0x80];
}

std::u16string NarrowToUnicode(const std::string& text)
{
    std::u16string r;
    r.reserve(text.size());
    for (char c : text)
        r += NarrowToUnicode(static_cast<unsigned char>(c));
    return r;
}

std::string Utf8ToNarrow(const std::string& utf8)
{
    std::string r;
    for (std::size_t i = 0; i < utf8.size();) {
        const unsigned char c = static_cast<unsigned char>(utf8[i]);
        char32_t u = 0;
        int n = 0;
        if (c < 0x80) {
            u = c;
            n = 1;
        } else if ((c & 0xE0) == 0xC0) {
            u = c & 0x1F;
            n = 2;
        } else if ((c & 0xF0) == 0xE0) {
            u = c & 0x0F;
            n = 3;
        } else if ((c & 0xF8) == 0xF0) {
            u = c & 0x07;
            n = 4;
        } else {
            r += '?';
            ++i;
            continue;
        }
        bool ok = i + static_cast<std::size_t>(n) <= utf8.size();
        for (int k = 1; ok && k < n; ++k) {
            const unsigned char cc = static_cast<unsigned char>(utf8[i + static_cast<std::size_t>(k)]);
            ok = (cc & 0xC0) == 0x80;
            u = (u << 6) | (cc & 0x3F);
        }
        if (!ok) {
            r += '?';
            ++i;
            continue;
        }
        i += static_cast<std::size_t>(n);
        if (u < 0x80) {
            r += static_cast<char>(u);
            continue;
        }
        char trovato = '?';
        for (int b = 0x80; b < 0x100; ++b)
            if (kCirillico[b - 0x80] == u) {
                trovato = static_cast<char>(b);
                break;
            }
        r += trovato;
    }
    return r;
}

std::string Utf8(char16_t c)
{
    std::string r;
    if (c < 0x80) {
        r += static_cast<char>(c);
    } else if (c < 0x800) {
        r += static_cast<char>(0xC0 | (c >> 6));
        r += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        r += static_cast<char>(0xE0 | (c >> 12));
        r += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        r += static_cast<char>(0x80 | (c & 0x3F));
    }
    return r;
}

std::string NarrowToUtf8(const std::string& text)
{
    std::string r;
    for (char16_t c : NarrowToUnicode(text))
        r += Utf8(c);
    return r;
}

} // namespace mevario
