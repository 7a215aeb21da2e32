#pragma once
// Case rules for names and groups, on code page 1251 bytes. Ё and ё are not letters here:
// only Latin a..z and Cyrillic А..я change case, by 32 codes.
#include <string>

std::string UpperCaseRu(const std::string& text);
std::string LowerCaseRu(const std::string& text);

// Every run of small Cyrillic letters that follows anything but such a letter or an apostrophe
// begins with a capital; all other letters are small. The length never changes.
std::string CapitalizeWords(const std::string& text);
