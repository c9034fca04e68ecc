#pragma once
// A release is signed with an ECDSA P-256 key: the update server serves the
// 64-byte signature (r ‖ s) over the SHA-256 of the program beside it, and
// the build carries the public key as 128 hex digits (X ‖ Y).
#include <string_view>

#include "platform/signature_verifier.h"

namespace tl::update {

using platform::PublicKey;
using platform::Signature;
using platform::SignatureVerifier;

// Exactly 128 hex digits (either case); anything else is no key.
bool parsePublicKey(std::string_view hexDigits, PublicKey& key);

// The signature file holds the 64 bytes and nothing else.
bool parseSignatureFile(std::string_view bytes, Signature& signature);

}  // namespace tl::update
