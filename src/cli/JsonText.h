#pragma once
// Just enough JSON for the command-line output: objects and arrays built in
// order, strings escaped, numbers and booleans as they are.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace hss::cli {

// "text" with quotes, backslashes and control characters escaped.
std::string jsonString(std::string_view text);

// One object, members in the order added.
class JsonObject {
public:
    JsonObject& add(std::string_view key, std::string_view text);
    JsonObject& add(std::string_view key, const char* text) { return add(key, std::string_view(text)); }
    JsonObject& add(std::string_view key, int64_t number);
    JsonObject& add(std::string_view key, double number);
    JsonObject& add(std::string_view key, bool value);
    // A value already written as JSON (an object, an array, null).
    JsonObject& addRaw(std::string_view key, std::string_view json);
    std::string text() const { return "{" + body + "}"; }

private:
    void key(std::string_view name);
    std::string body;
};

// "[a,b,...]" from values already written as JSON.
std::string jsonArray(const std::vector<std::string>& values);

}  // namespace hss::cli
