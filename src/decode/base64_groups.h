#pragma once

#include <cstddef>

// The group decoders behind Base64Decode, one per vector level. Each decodes
// `groups` four-character groups from in to out (three bytes each, nothing
// written beyond them) and returns true when every character was one of the
// 64 of the alphabet.
namespace marrowpin::base64 {

bool DecodeGroupsScalar(const unsigned char* in, std::size_t groups, unsigned char* out);

#if defined(__i386__) || defined(__x86_64__)
bool DecodeGroupsSsse3(const unsigned char* in, std::size_t groups, unsigned char* out);
bool DecodeGroupsAvx2(const unsigned char* in, std::size_t groups, unsigned char* out);
bool DecodeGroupsAvx512Vbmi(const unsigned char* in, std::size_t groups, unsigned char* out);
#endif

}  // namespace marrowpin::base64
