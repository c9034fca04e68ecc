#pragma once
// A throw-away release key, made afresh for each test: it signs the way the
// release script does (ECDSA P-256 over SHA-256, r ‖ s), with the platform's
// own cryptography (CNG on Windows, OpenSSL elsewhere).
#include <memory>
#include <string>
#include <string_view>

#include "update/release_signature.h"

namespace tl::test {

class TestSigningKey {
 public:
  virtual ~TestSigningKey() = default;
  static std::unique_ptr<TestSigningKey> generate();
  virtual update::PublicKey publicKey() const = 0;
  // The 128 hex digits that the build configuration would hold.
  std::string publicKeyHex() const;
  // The signature file's 64 bytes.
  virtual std::string sign(std::string_view message) const = 0;
};

}  // namespace tl::test
