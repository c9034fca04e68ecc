#include "tests/support/test_signing_key.h"

#include <stdexcept>

#ifdef _WIN32
#include <windows.h>
#include <bcrypt.h>
#else
#include <openssl/bn.h>
#include <openssl/core_names.h>
#include <openssl/ec.h>
#include <openssl/ecdsa.h>
#include <openssl/evp.h>
#endif

namespace tl::test {

std::string TestSigningKey::publicKeyHex() const {
  static const char digits[] = "0123456789abcdef";
  std::string hex;
  for (uint8_t byte : publicKey()) {
    hex += digits[byte >> 4];
    hex += digits[byte & 15];
  }
  return hex;
}

namespace {

void require(bool ok, const char* what) {
  if (!ok) throw std::runtime_error(std::string("test signing key: ") + what);
}

#ifdef _WIN32

class CngTestKey : public TestSigningKey {
 public:
  CngTestKey() {
    require(BCryptOpenAlgorithmProvider(&ecdsa_, BCRYPT_ECDSA_P256_ALGORITHM, nullptr, 0) >= 0, "ECDSA provider");
    require(BCryptOpenAlgorithmProvider(&sha256_, BCRYPT_SHA256_ALGORITHM, nullptr, 0) >= 0, "SHA-256 provider");
    require(BCryptGenerateKeyPair(ecdsa_, &key_, 256, 0) >= 0 && BCryptFinalizeKeyPair(key_, 0) >= 0, "key pair");
    UCHAR blob[sizeof(BCRYPT_ECCKEY_BLOB) + 64];
    ULONG size = 0;
    require(BCryptExportKey(key_, nullptr, BCRYPT_ECCPUBLIC_BLOB, blob, sizeof blob, &size, 0) >= 0 &&
                size == sizeof blob,
            "export");
    std::copy(blob + sizeof(BCRYPT_ECCKEY_BLOB), blob + sizeof blob, public_.begin());
  }
  ~CngTestKey() override {
    BCryptDestroyKey(key_);
    BCryptCloseAlgorithmProvider(sha256_, 0);
    BCryptCloseAlgorithmProvider(ecdsa_, 0);
  }
  update::PublicKey publicKey() const override { return public_; }
  std::string sign(std::string_view message) const override {
    UCHAR digest[32];
    BCRYPT_HASH_HANDLE hash = nullptr;
    require(BCryptCreateHash(sha256_, &hash, nullptr, 0, nullptr, 0, 0) >= 0, "hash");
    bool hashed =
        BCryptHashData(hash, reinterpret_cast<PUCHAR>(const_cast<char*>(message.data())), ULONG(message.size()), 0) >=
            0 &&
        BCryptFinishHash(hash, digest, sizeof digest, 0) >= 0;
    BCryptDestroyHash(hash);
    require(hashed, "hash");
    UCHAR signature[64];
    ULONG size = 0;
    require(BCryptSignHash(key_, nullptr, digest, sizeof digest, signature, sizeof signature, &size, 0) >= 0 &&
                size == sizeof signature,
            "sign");
    return std::string(reinterpret_cast<char*>(signature), sizeof signature);
  }

 private:
  BCRYPT_ALG_HANDLE ecdsa_ = nullptr, sha256_ = nullptr;
  BCRYPT_KEY_HANDLE key_ = nullptr;
  update::PublicKey public_{};
};

#else

class OpenSslTestKey : public TestSigningKey {
 public:
  OpenSslTestKey() : key_(EVP_EC_gen("P-256")) {
    require(key_ != nullptr, "key pair");
    unsigned char point[65];
    size_t size = 0;
    require(EVP_PKEY_get_octet_string_param(key_, OSSL_PKEY_PARAM_PUB_KEY, point, sizeof point, &size) == 1 &&
                size == sizeof point && point[0] == 0x04,
            "public point");
    std::copy(point + 1, point + sizeof point, public_.begin());
  }
  ~OpenSslTestKey() override { EVP_PKEY_free(key_); }
  update::PublicKey publicKey() const override { return public_; }
  std::string sign(std::string_view message) const override {
    EVP_MD_CTX* context = EVP_MD_CTX_new();
    size_t size = 0;
    unsigned char der[80];
    bool ok = context && EVP_DigestSignInit(context, nullptr, EVP_sha256(), nullptr, key_) == 1 &&
              (size = sizeof der, EVP_DigestSign(context, der, &size,
                                                 reinterpret_cast<const unsigned char*>(message.data()),
                                                 message.size()) == 1);
    EVP_MD_CTX_free(context);
    require(ok, "sign");
    // DER (r, s) → r ‖ s, each 32 bytes big-endian.
    const unsigned char* p = der;
    ECDSA_SIG* pair = d2i_ECDSA_SIG(nullptr, &p, long(size));
    require(pair != nullptr, "DER");
    unsigned char rs[64];
    bool converted = BN_bn2binpad(ECDSA_SIG_get0_r(pair), rs, 32) == 32 &&
                     BN_bn2binpad(ECDSA_SIG_get0_s(pair), rs + 32, 32) == 32;
    ECDSA_SIG_free(pair);
    require(converted, "r and s");
    return std::string(reinterpret_cast<char*>(rs), sizeof rs);
  }

 private:
  EVP_PKEY* key_;
  update::PublicKey public_{};
};

#endif

}  // namespace

std::unique_ptr<TestSigningKey> TestSigningKey::generate() {
#ifdef _WIN32
  return std::make_unique<CngTestKey>();
#else
  return std::make_unique<OpenSslTestKey>();
#endif
}

}  // namespace tl::test
