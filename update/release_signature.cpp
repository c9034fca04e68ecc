#include "update/release_signature.h"

#include <algorithm>

namespace tl::update {
namespace {

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

bool parsePublicKey(std::string_view hexDigits, PublicKey& key) {
  if (hexDigits.size() != key.size() * 2) return false;
  for (size_t i = 0; i < key.size(); ++i) {
    int high = hexValue(hexDigits[2 * i]), low = hexValue(hexDigits[2 * i + 1]);
    if (high < 0 || low < 0) return false;
    key[i] = uint8_t(high << 4 | low);
  }
  return true;
}

bool parseSignatureFile(std::string_view bytes, Signature& signature) {
  if (bytes.size() != signature.size()) return false;
  std::copy(bytes.begin(), bytes.end(), signature.begin());
  return true;
}

}  // namespace tl::update
