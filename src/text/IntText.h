#pragma once
// Integers as the catalog file holds them: decimal, a leading "-" when negative, nothing else.

#include <cstdint>
#include <string>
#include <string_view>

std::string IntToStr(std::int32_t value);
void AppendInt(std::string& out, std::int32_t value);
// Writes the text at `out`, which has room for 11 bytes; gives the end of the text.
char* WriteInt(char* out, std::int32_t value);

// Accepts an optional sign and decimal digits, nothing around them; the value must fit 32 bits.
bool TryStrToInt(std::string_view text, std::int32_t& value);
// As TryStrToInt, raising ConvertError "'<text>' is not a valid integer value" on failure.
std::int32_t StrToInt(std::string_view text);

// A whole number typed into a field that takes only `min`..`max`: text that is a whole number (an optional
// sign and digits, however many) is brought to the nearer bound when outside; anything else reads as `min`.
std::int32_t RangedInt(std::string_view text, std::int32_t min, std::int32_t max);
