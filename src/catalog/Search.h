#pragma once
// The two ways the main window finds things: the item search by a piece of the description, and the
// quick search that jumps to a table row by the first letter typed.

#include "catalog/Lists.h"

#include <cstdint>
#include <string>
#include <string_view>

// The item search over the catalogue's items, free and lent alike, from position `from` to the end.
// `upperText` is the search text in upper case (UpperCase of text/Letters); an item is a hit when its
// description, upper-cased the same way, contains it, and, when `type` is given (the type filter is
// on), the item's type equals *type byte for byte. An empty text never matches. Gives the position of
// the first hit, or -1; a `from` outside the list gives -1.
int FindItemFrom(const ItemList& items, std::string_view upperText, std::int32_t from,
                 const std::string* type);

// The character a key typed into a table searches for: a digit as it is, a Latin or Cyrillic letter in
// lower case (а..я, not ё). 0 for every other key, which searches for nothing.
char QuickSearchKey(char typed);

// Whether a row whose first column reads `text` is where the quick search for `key` (from QuickSearchKey)
// lands: its first character, in lower case, is not before the key in the code page's order. A row with
// an empty first column never is.
bool QuickSearchLandsOn(char key, std::string_view text);
