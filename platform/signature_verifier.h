#pragma once
#include <memory>

#include "update/release_signature.h"

namespace tl::platform {

// Windows: CNG (bcrypt). Elsewhere: OpenSSL's libcrypto, so that the same
// checks run in the native tests.
std::unique_ptr<update::SignatureVerifier> makeSystemSignatureVerifier();

}  // namespace tl::platform
