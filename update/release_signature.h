#pragma once
// A release is signed with an ECDSA P-256 key: the update server serves the
// 64-byte signature (r ‖ s) over the SHA-256 of the program beside it, and
// the build carries the public key as 128 hex digits (X ‖ Y).
#include <array>
#include <cstdint>
#include <string_view>

namespace tl::update {

using PublicKey = std::array<uint8_t, 64>;  // X ‖ Y, big-endian
using Signature = std::array<uint8_t, 64>;  // r ‖ s, big-endian

// Exactly 128 hex digits (either case); anything else is no key.
bool parsePublicKey(std::string_view hexDigits, PublicKey& key);

// The signature file holds the 64 bytes and nothing else.
bool parseSignatureFile(std::string_view bytes, Signature& signature);

// Checks a signature over the SHA-256 of a message; the platform's own
// cryptography does the work.
class SignatureVerifier {
 public:
  virtual ~SignatureVerifier() = default;
  // False for a bad signature, a key that is no point of the curve, or any
  // failure of the cryptography.
  virtual bool verify(const PublicKey& key, std::string_view message, const Signature& signature) = 0;
};

}  // namespace tl::update
