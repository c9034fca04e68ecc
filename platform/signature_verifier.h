#pragma once
// Checks a release's ECDSA P-256 signature with the platform's own
// cryptography.
#include <array>
#include <cstdint>
#include <memory>
#include <string_view>

namespace tl::platform {

using PublicKey = std::array<uint8_t, 64>;  // X ‖ Y, big-endian
using Signature = std::array<uint8_t, 64>;  // r ‖ s, big-endian

// Checks a signature over the SHA-256 of a message.
class SignatureVerifier {
 public:
  virtual ~SignatureVerifier() = default;
  // False for a bad signature, a key that is no point of the curve, or any
  // failure of the cryptography.
  virtual bool verify(const PublicKey& key, std::string_view message, const Signature& signature) = 0;
};

// Windows: CNG (bcrypt). Elsewhere: OpenSSL's libcrypto, so that the same
// checks run in the native tests.
std::unique_ptr<SignatureVerifier> makeSystemSignatureVerifier();

}  // namespace tl::platform
