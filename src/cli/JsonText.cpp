#include "cli/JsonText.h"

#include <cmath>
#include <cstdio>

namespace hss::cli {

std::string jsonString(std::string_view text)
{
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\t') {
            out += "\\t";
        } else if (byte < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

void JsonObject::key(std::string_view name)
{
    if (!body.empty()) body += ',';
    body += jsonString(name);
    body += ':';
}

JsonObject& JsonObject::add(std::string_view name, std::string_view text)
{
    key(name);
    body += jsonString(text);
    return *this;
}

JsonObject& JsonObject::add(std::string_view name, int64_t number)
{
    key(name);
    body += std::to_string(number);
    return *this;
}

JsonObject& JsonObject::add(std::string_view name, double number)
{
    key(name);
    if (!std::isfinite(number)) {
        body += "null";
        return *this;
    }
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", number);
    body += text;
    return *this;
}

JsonObject& JsonObject::add(std::string_view name, bool value)
{
    key(name);
    body += value ? "true" : "false";
    return *this;
}

JsonObject& JsonObject::addRaw(std::string_view name, std::string_view json)
{
    key(name);
    body += json;
    return *this;
}

std::string jsonArray(const std::vector<std::string>& values)
{
    std::string out = "[";
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i > 0) out += ',';
        out += values[i];
    }
    return out + "]";
}

}  // namespace hss::cli
