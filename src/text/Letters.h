#pragma once
// Letter case of code page 1251, as Windows maps it: Latin, Cyrillic, and the other letters of the page
// (Ё/ё, Ђ/ђ, Ѓ/ѓ, Љ/љ, Њ/њ, Ќ/ќ, Ћ/ћ, Џ/џ, Ў/ў, Ј/ј, Ґ/ґ, Є/є, Ї/ї, І/і, Ѕ/ѕ). One table serves every
// rule that ignores letter case, so the duplicate checks, the type list and the searches agree.

#include <string>
#include <string_view>

char UpperCase(char c);
char LowerCase(char c);
std::string UpperCase(std::string_view text);
std::string LowerCase(std::string_view text);
// Upper-cases `text` into `out`, reusing its storage.
void UpperCaseInto(std::string_view text, std::string& out);

// Equal when letter case is ignored.
bool SameText(std::string_view a, std::string_view b);
