#pragma once
// Documents as test files store them: one zlib stream each.
#include <cstdint>
#include <string>
#include <vector>

// On question texts level 6 packs as small as level 9 in the same time, and 4% smaller than
// level 1: bench_authoring prints all three.
constexpr int DocumentPackingLevel = 6;

std::vector<std::uint8_t> packDocument(const std::string& document, int level = DocumentPackingLevel);
