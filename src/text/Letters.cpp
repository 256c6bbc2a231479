#include "text/Letters.h"

#include <array>
#include <cstdint>

namespace {

struct CaseTables {
    std::array<unsigned char, 256> upper;
    std::array<unsigned char, 256> lower;
};

constexpr CaseTables MakeCaseTables() {
    CaseTables t{};
    for (int c = 0; c < 256; ++c) {
        t.upper[c] = static_cast<unsigned char>(c);
        t.lower[c] = static_cast<unsigned char>(c);
    }
    auto pair = [&t](int capital, int small) {
        t.upper[small] = static_cast<unsigned char>(capital);
        t.lower[capital] = static_cast<unsigned char>(small);
    };
    for (int c = 'A'; c <= 'Z'; ++c) {
        pair(c, c + 0x20);
    }
    for (int c = 0xC0; c <= 0xDF; ++c) { // А..Я and а..я
        pair(c, c + 0x20);
    }
    // The letters of the page outside the two alphabets, capital then small.
    constexpr std::uint8_t others[][2] = {
        {0x80, 0x90}, {0x81, 0x83}, {0x8A, 0x9A}, {0x8C, 0x9C}, {0x8D, 0x9D},
        {0x8E, 0x9E}, {0x8F, 0x9F}, {0xA1, 0xA2}, {0xA3, 0xBC}, {0xA5, 0xB4},
        {0xA8, 0xB8}, {0xAA, 0xBA}, {0xAF, 0xBF}, {0xB2, 0xB3}, {0xBD, 0xBE},
    };
    for (const auto& p : others) {
        pair(p[0], p[1]);
    }
    return t;
}

constexpr CaseTables kCase = MakeCaseTables();

inline unsigned char Byte(char c) {
    return static_cast<unsigned char>(c);
}

} // namespace

char UpperCase(char c) {
    return static_cast<char>(kCase.upper[Byte(c)]);
}

char LowerCase(char c) {
    return static_cast<char>(kCase.lower[Byte(c)]);
}

void UpperCaseInto(std::string_view text, std::string& out) {
    out.resize(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        out[i] = UpperCase(text[i]);
    }
}

std::string UpperCase(std::string_view text) {
    std::string out;
    UpperCaseInto(text, out);
    return out;
}

std::string LowerCase(std::string_view text) {
    std::string out(text.size(), '\0');
    for (std::size_t i = 0; i < text.size(); ++i) {
        out[i] = LowerCase(text[i]);
    }
    return out;
}

bool SameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (kCase.upper[Byte(a[i])] != kCase.upper[Byte(b[i])]) {
            return false;
        }
    }
    return true;
}
