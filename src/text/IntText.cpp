#include "text/IntText.h"

#include "text/Errors.h"

#include <algorithm>

char* WriteInt(char* out, std::int32_t value) {
    char buffer[12];
    char* p = buffer + sizeof buffer;
    // Work on the magnitude as unsigned so that the smallest value has a magnitude too.
    std::uint32_t magnitude =
        value < 0 ? 0u - static_cast<std::uint32_t>(value) : static_cast<std::uint32_t>(value);
    do {
        *--p = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0) {
        *--p = '-';
    }
    return std::copy(p, buffer + sizeof buffer, out);
}

void AppendInt(std::string& out, std::int32_t value) {
    char buffer[12];
    out.append(buffer, WriteInt(buffer, value));
}

std::string IntToStr(std::int32_t value) {
    std::string out;
    AppendInt(out, value);
    return out;
}

bool TryStrToInt(std::string_view text, std::int32_t& value) {
    std::size_t i = 0;
    bool negative = false;
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
        negative = text[0] == '-';
        i = 1;
    }
    if (i == text.size()) {
        return false;
    }
    const std::uint32_t limit = negative ? 2147483648u : 2147483647u;
    std::uint32_t magnitude = 0;
    for (; i < text.size(); ++i) {
        const unsigned digit = static_cast<unsigned char>(text[i]) - static_cast<unsigned>('0');
        if (digit > 9 || magnitude > (limit - digit) / 10) {
            return false;
        }
        magnitude = magnitude * 10 + digit;
    }
    value = negative ? static_cast<std::int32_t>(0u - magnitude) : static_cast<std::int32_t>(magnitude);
    return true;
}

std::int32_t StrToInt(std::string_view text) {
    std::int32_t value = 0;
    if (!TryStrToInt(text, value)) {
        throw InvalidIntegerError(text);
    }
    return value;
}

std::int32_t RangedInt(std::string_view text, std::int32_t min, std::int32_t max) {
    std::int32_t value = 0;
    if (TryStrToInt(text, value)) {
        return std::clamp(value, min, max);
    }
    // Too many digits for 32 bits is still a number, far beyond one bound.
    const std::size_t sign = !text.empty() && (text[0] == '-' || text[0] == '+') ? 1 : 0;
    const std::string_view digits = text.substr(sign);
    if (digits.empty() ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return min;
    }
    return text[0] == '-' ? min : max;
}
