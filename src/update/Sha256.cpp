#include "update/Sha256.h"

#include <openssl/evp.h>

#include <cstdio>

namespace morvek::update {

struct Sha256::State {
    EVP_MD_CTX* context = EVP_MD_CTX_new();
    ~State() { EVP_MD_CTX_free(context); }
};

Sha256::Sha256() : state_(std::make_unique<State>()) { EVP_DigestInit_ex(state_->context, EVP_sha256(), nullptr); }

Sha256::~Sha256() = default;

void Sha256::Add(const void* data, size_t size) { EVP_DigestUpdate(state_->context, data, size); }

std::string Sha256::HexDigest() {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    EVP_DigestFinal_ex(state_->context, digest, &length);
    std::string hex;
    char pair[3];
    for (unsigned int i = 0; i < length; ++i) {
        std::snprintf(pair, sizeof pair, "%02x", digest[i]);
        hex += pair;
    }
    return hex;
}

}  // namespace morvek::update
