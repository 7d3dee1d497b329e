#pragma once
// One product's query to the update service, and where the service and its authorities are.

#include <string>

#include "devicelink/DeviceTables.h"
#include "update/HttpClient.h"
#include "update/UpdateAnswer.h"

namespace morvek::update {

// The address used when neither the command line, the environment nor the settings name one.
inline constexpr const char* kDefaultEndpoint = "https://update.morvek.example/";
// Environment variables: the endpoint, and a file of the only authorities to trust (tests).
inline constexpr const char* kEndpointVariable = "MORVEK_UPDATE_ENDPOINT";
inline constexpr const char* kAuthorityFileVariable = "MORVEK_UPDATE_CA_FILE";

// The update service's base address, ending in "/": explicitEndpoint (a command-line option)
// when given, else $MORVEK_UPDATE_ENDPOINT, else configured (the program's settings), else
// kDefaultEndpoint.
std::string ResolveEndpoint(const std::string& explicitEndpoint, const std::string& configured);

// The transport options the environment asks for ($MORVEK_UPDATE_CA_FILE).
HttpOptions HttpOptionsFromEnvironment();

// POSTs the identity's query body with its terminating zero byte to endpoint + "updates" and
// interprets the answer.
QueryOutcome QueryUpdate(const HttpOptions& options, const std::string& endpoint, const UpdateIdentity& identity);

}  // namespace morvek::update
