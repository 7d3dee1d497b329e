#include "update/UpdateQuery.h"

#include <cstdlib>

#include "update/UpdateRequest.h"

namespace morvek::update {
namespace {

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

}  // namespace

std::string ResolveEndpoint(const std::string& explicitEndpoint, const std::string& configured) {
    std::string endpoint = explicitEndpoint;
    if (endpoint.empty()) endpoint = Environment(kEndpointVariable);
    if (endpoint.empty()) endpoint = configured;
    if (endpoint.empty()) endpoint = kDefaultEndpoint;
    if (endpoint.back() != '/') endpoint += '/';
    return endpoint;
}

HttpOptions HttpOptionsFromEnvironment() {
    HttpOptions options;
    options.caFile = Environment(kAuthorityFileVariable);
    return options;
}

QueryOutcome QueryUpdate(const HttpOptions& options, const std::string& endpoint, const UpdateIdentity& identity) {
    const std::string body = QueryBody(identity);
    std::string answer;
    // The terminating zero byte is part of the body the service expects.
    const int bytes = HttpExchange(options, "POST", endpoint + "updates", body.c_str(), body.size() + 1, answer);
    return InterpretAnswer(identity, bytes, answer);
}

}  // namespace morvek::update
