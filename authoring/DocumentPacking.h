#pragma once
// Documents as test files store them: one zlib stream each.
#include <cstdint>
#include <string>
#include <vector>

// Level 6 packs hard-to-compress question texts about as small as level 9 at a fraction of the
// time: bench_authoring prints both.
constexpr int DocumentPackingLevel = 6;

std::vector<std::uint8_t> packDocument(const std::string& document, int level = DocumentPackingLevel);
