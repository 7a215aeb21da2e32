#pragma once
// Little-endian reads and writes at byte offsets; byte layouts never depend on struct packing.
#include <bit>
#include <cstddef>
#include <cstdint>

inline void putU32(std::uint8_t* at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) at[i] = static_cast<std::uint8_t>(v >> (8 * i));
}
inline std::uint32_t getU32(const std::uint8_t* at) {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= std::uint32_t(at[i]) << (8 * i);
    return v;
}
inline void putU64(std::uint8_t* at, std::uint64_t v) {
    for (int i = 0; i < 8; ++i) at[i] = static_cast<std::uint8_t>(v >> (8 * i));
}
inline std::uint64_t getU64(const std::uint8_t* at) {
    std::uint64_t v = 0;
    for (int i = 0; i < 8; ++i) v |= std::uint64_t(at[i]) << (8 * i);
    return v;
}
inline void putI32(std::uint8_t* at, std::int32_t v) { putU32(at, static_cast<std::uint32_t>(v)); }
inline std::int32_t getI32(const std::uint8_t* at) { return static_cast<std::int32_t>(getU32(at)); }
inline void putF32(std::uint8_t* at, float v) { putU32(at, std::bit_cast<std::uint32_t>(v)); }
inline float getF32(const std::uint8_t* at) { return std::bit_cast<float>(getU32(at)); }
inline void putF64(std::uint8_t* at, double v) { putU64(at, std::bit_cast<std::uint64_t>(v)); }
inline double getF64(const std::uint8_t* at) { return std::bit_cast<double>(getU64(at)); }
