// A 64-bit digest of bytes (FNV-1a), for telling whether bytes are the ones
// recorded earlier: the values read, a log's contents, a checkpoint's own
// bytes. Not a defence against someone who forges them.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr std::uint64_t DIGEST_START = 14695981039346656037u;

inline std::uint64_t add_to_digest(std::uint64_t digest, const void *data, std::size_t size)
{
    const unsigned char *byte = static_cast<const unsigned char *>(data);
    for (std::size_t i = 0; i < size; i++)
        digest = (digest ^ byte[i]) * 1099511628211u;
    return digest;
}
