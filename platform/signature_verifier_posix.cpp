#include "platform/signature_verifier.h"

#include <openssl/bn.h>
#include <openssl/ecdsa.h>
#include <openssl/evp.h>
#include <openssl/params.h>

#include <memory>

namespace tl::platform {
namespace {

template <auto Free>
struct Freer {
  template <class T>
  void operator()(T* p) const { Free(p); }
};

using PublicKeyPtr = std::unique_ptr<EVP_PKEY, Freer<EVP_PKEY_free>>;
using SignaturePtr = std::unique_ptr<ECDSA_SIG, Freer<ECDSA_SIG_free>>;
using ContextPtr = std::unique_ptr<EVP_MD_CTX, Freer<EVP_MD_CTX_free>>;
struct OpenSslFree {
  void operator()(unsigned char* p) const { OPENSSL_free(p); }
};

// An uncompressed point (0x04 ‖ X ‖ Y) on P-256; null when it is none.
PublicKeyPtr publicKeyFrom(const PublicKey& key) {
  unsigned char point[1 + sizeof key];
  point[0] = 0x04;
  std::copy(key.begin(), key.end(), point + 1);
  EVP_PKEY* made = nullptr;
  std::unique_ptr<EVP_PKEY_CTX, Freer<EVP_PKEY_CTX_free>> context(EVP_PKEY_CTX_new_from_name(nullptr, "EC", nullptr));
  OSSL_PARAM params[] = {
      OSSL_PARAM_construct_utf8_string("group", const_cast<char*>("prime256v1"), 0),
      OSSL_PARAM_construct_octet_string("pub", point, sizeof point),
      OSSL_PARAM_construct_end(),
  };
  if (!context || EVP_PKEY_fromdata_init(context.get()) <= 0 ||
      EVP_PKEY_fromdata(context.get(), &made, EVP_PKEY_PUBLIC_KEY, params) <= 0)
    return nullptr;
  return PublicKeyPtr(made);
}

class OpenSslSignatureVerifier : public SignatureVerifier {
 public:
  bool verify(const PublicKey& key, std::string_view message, const Signature& signature) override {
    PublicKeyPtr publicKey = publicKeyFrom(key);
    if (!publicKey) return false;
    // OpenSSL verifies the DER form of (r, s).
    SignaturePtr pair(ECDSA_SIG_new());
    BIGNUM* r = BN_bin2bn(signature.data(), 32, nullptr);
    BIGNUM* s = BN_bin2bn(signature.data() + 32, 32, nullptr);
    if (!pair || !r || !s || !ECDSA_SIG_set0(pair.get(), r, s)) {
      BN_free(r);
      BN_free(s);
      return false;
    }
    unsigned char* der = nullptr;
    int derSize = i2d_ECDSA_SIG(pair.get(), &der);
    if (derSize <= 0) return false;
    std::unique_ptr<unsigned char, OpenSslFree> derOwner(der);
    ContextPtr context(EVP_MD_CTX_new());
    return context && EVP_DigestVerifyInit(context.get(), nullptr, EVP_sha256(), nullptr, publicKey.get()) == 1 &&
           EVP_DigestVerify(context.get(), der, size_t(derSize), reinterpret_cast<const unsigned char*>(message.data()),
                            message.size()) == 1;
  }
};

}  // namespace

std::unique_ptr<SignatureVerifier> makeSystemSignatureVerifier() {
  return std::make_unique<OpenSslSignatureVerifier>();
}

}  // namespace tl::platform
