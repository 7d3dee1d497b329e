#include "cli/GlobalOptions.h"

#include <charconv>
#include <string_view>

#include "emulator/FaultPlan.h"

namespace morvek::cli {
namespace {

std::vector<std::string> SplitCommaList(const std::string& text) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        const size_t comma = text.find(',', start);
        parts.push_back(text.substr(start, comma - start));
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    return parts;
}

}  // namespace

std::optional<long> ParseDecimal(const std::string& text, long min, long max) {
    long value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, 10);
    if (text.empty() || ec != std::errc{} || end != text.data() + text.size()) return std::nullopt;
    if (value < min || value > max) return std::nullopt;
    return value;
}

std::optional<long> ParseNumber(const std::string& text, long min, long max) {
    const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    const std::string_view digits = hex ? std::string_view(text).substr(2) : std::string_view(text);
    if (digits.empty() || (hex && digits[0] == '-')) return std::nullopt;
    long value = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value, hex ? 16 : 10);
    if (ec != std::errc{} || end != digits.data() + digits.size()) return std::nullopt;
    if (value < min || value > max) return std::nullopt;
    return value;
}

std::optional<GlobalOptions> ParseGlobalOptions(const std::vector<std::string>& args, std::string& error) {
    GlobalOptions o;
    size_t i = 0;
    auto value = [&](const std::string& option) -> std::optional<std::string> {
        if (i + 1 >= args.size()) {
            error = option + " needs a value";
            return std::nullopt;
        }
        return args[++i];
    };
    for (; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a.empty() || a[0] != '-') break;
        if (a == "-h" || a == "--help") {
            o.help = true;
        } else if (a == "--version") {
            o.version = true;
        } else if (a == "--trace") {
            o.trace = true;
        } else if (a == "--json") {
            o.json = true;
        } else if (a == "--data-dir") {
            auto v = value(a);
            if (!v) return std::nullopt;
            o.dataDir = *v;
        } else if (a == "--default-data") {
            auto v = value(a);
            if (!v) return std::nullopt;
            o.defaultDataDir = *v;
        } else if (a == "--emulate") {
            auto v = value(a);
            if (!v) return std::nullopt;
            o.emulate = SplitCommaList(*v);
        } else if (a == "--emulator-state") {
            auto v = value(a);
            if (!v) return std::nullopt;
            o.emulatorState = *v;
        } else if (a == "--emulator-link-down") {
            o.emulatorLinkDown = true;
        } else if (a == "--emulator-fault") {
            auto v = value(a);
            if (!v) return std::nullopt;
            emulator::FaultPlan checked;
            if (!emulator::AddFaultWord(*v, checked, error)) return std::nullopt;
            o.emulatorFaults.push_back(*v);
        } else if (a == "--emulator-latency") {
            auto v = value(a);
            if (!v) return std::nullopt;
            const auto ms = ParseNumber(*v, 0, 10000);
            if (!ms) {
                error = "--emulator-latency takes milliseconds from 0 to 10000";
                return std::nullopt;
            }
            o.emulatorLatencyMs = static_cast<int>(*ms);
        } else {
            error = "unknown option " + a;
            return std::nullopt;
        }
    }
    o.words.assign(args.begin() + static_cast<long>(i), args.end());
    if (o.emulate.empty() &&
        (!o.emulatorState.empty() || o.emulatorLatencyMs != 0 || o.emulatorLinkDown || !o.emulatorFaults.empty())) {
        error = "--emulator-state, --emulator-latency, --emulator-link-down and --emulator-fault go with --emulate";
        return std::nullopt;
    }
    return o;
}

}  // namespace morvek::cli
