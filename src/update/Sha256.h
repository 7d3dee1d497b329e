#pragma once
// SHA-256 of a byte stream, as lower-case hex (OpenSSL's digest).

#include <memory>
#include <string>

namespace morvek::update {

class Sha256 {
public:
    Sha256();
    ~Sha256();
    Sha256(const Sha256&) = delete;
    Sha256& operator=(const Sha256&) = delete;

    void Add(const void* data, size_t size);
    // The digest of everything added, 64 lower-case hex digits.
    std::string HexDigest();

private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace morvek::update
