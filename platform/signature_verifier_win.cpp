#include "platform/signature_verifier.h"

#include <windows.h>
#include <bcrypt.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace tl::platform {
namespace {

bool succeeded(NTSTATUS status) { return status >= 0; }

class Algorithm {
 public:
  explicit Algorithm(const wchar_t* name) {
    if (!succeeded(BCryptOpenAlgorithmProvider(&handle_, name, nullptr, 0))) handle_ = nullptr;
  }
  ~Algorithm() {
    if (handle_) BCryptCloseAlgorithmProvider(handle_, 0);
  }
  Algorithm(const Algorithm&) = delete;
  Algorithm& operator=(const Algorithm&) = delete;
  BCRYPT_ALG_HANDLE get() const { return handle_; }

 private:
  BCRYPT_ALG_HANDLE handle_ = nullptr;
};

bool sha256(std::string_view message, UCHAR (&digest)[32]) {
  Algorithm algorithm(BCRYPT_SHA256_ALGORITHM);
  if (!algorithm.get()) return false;
  BCRYPT_HASH_HANDLE hash = nullptr;
  if (!succeeded(BCryptCreateHash(algorithm.get(), &hash, nullptr, 0, nullptr, 0, 0))) return false;
  bool ok = true;
  // BCryptHashData takes at most 4 GiB a call.
  for (size_t done = 0; ok && done < message.size();) {
    ULONG chunk = ULONG(std::min<size_t>(message.size() - done, 1u << 30));
    ok = succeeded(BCryptHashData(hash, reinterpret_cast<PUCHAR>(const_cast<char*>(message.data() + done)), chunk, 0));
    done += chunk;
  }
  ok = ok && succeeded(BCryptFinishHash(hash, digest, sizeof digest, 0));
  BCryptDestroyHash(hash);
  return ok;
}

class CngSignatureVerifier : public SignatureVerifier {
 public:
  bool verify(const PublicKey& key, std::string_view message, const Signature& signature) override {
    UCHAR digest[32];
    if (!sha256(message, digest)) return false;
    Algorithm ecdsa(BCRYPT_ECDSA_P256_ALGORITHM);
    if (!ecdsa.get()) return false;
    // BCRYPT_ECCPUBLIC_BLOB: the header, then X and Y of 32 bytes each.
    std::vector<UCHAR> blob(sizeof(BCRYPT_ECCKEY_BLOB) + key.size());
    BCRYPT_ECCKEY_BLOB header{BCRYPT_ECDSA_PUBLIC_P256_MAGIC, ULONG(key.size() / 2)};
    std::memcpy(blob.data(), &header, sizeof header);
    std::memcpy(blob.data() + sizeof header, key.data(), key.size());
    BCRYPT_KEY_HANDLE publicKey = nullptr;
    if (!succeeded(BCryptImportKeyPair(ecdsa.get(), nullptr, BCRYPT_ECCPUBLIC_BLOB, &publicKey, blob.data(),
                                       ULONG(blob.size()), 0)))
      return false;
    UCHAR signatureBytes[sizeof signature];
    std::memcpy(signatureBytes, signature.data(), sizeof signatureBytes);
    NTSTATUS status =
        BCryptVerifySignature(publicKey, nullptr, digest, sizeof digest, signatureBytes, sizeof signatureBytes, 0);
    BCryptDestroyKey(publicKey);
    return succeeded(status);
  }
};

}  // namespace

std::unique_ptr<SignatureVerifier> makeSystemSignatureVerifier() {
  return std::make_unique<CngSignatureVerifier>();
}

}  // namespace tl::platform
