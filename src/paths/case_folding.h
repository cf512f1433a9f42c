#pragma once

#include <string>

namespace dustbane {

// Decodes one UTF-8 sequence at text[index] and moves index past it; a byte that starts no
// valid sequence is returned as itself (offset into a range no letter uses) so that it still
// compares exactly.
char32_t nextCodePoint(const std::string& text, size_t& index);

// The lower-case partner of a letter in ASCII and the simple case pairs of Latin-1, Latin
// Extended-A, Greek and Cyrillic, as the file system pairs them; anything else as it is.
char32_t lowerCodePoint(char32_t c);

// The text as lower-cased code points: two names the file system takes for one give the
// same key.
std::u32string caseKey(const std::string& text);

} // namespace dustbane
