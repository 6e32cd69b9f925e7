// SPDX-License-Identifier: MIT
// Reading the request parts the server owns; JSON goes through nlohmann's parser, never by hand.
#include "server/request_text.h"

#include <algorithm>
#include <charconv>

#include <nlohmann/json.hpp>

#include "level/token_reader.h"

namespace {

bool isNameChar(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '-';
}

} // namespace

bool isPlayerName(std::string_view name)
{
    return name.size() >= MinPlayerName && name.size() <= MaxPlayerName &&
        std::all_of(name.begin(), name.end(), isNameChar);
}

std::string bearerToken(std::string_view header)
{
    constexpr std::string_view scheme = "Bearer ";
    if (header.size() != scheme.size() + TokenHexLength || header.substr(0, scheme.size()) != scheme)
        return "";
    std::string_view token = header.substr(scheme.size());
    // A SHA-256's hex form is the same alphabet and length as a token's.
    return isSha256Hex(token) ? std::string(token) : "";
}

bool parsePlayerBody(std::string_view body, std::string& name, std::string& error)
{
    if (body.size() > MaxPlayerBody) {
        error = "the body is longer than " + std::to_string(MaxPlayerBody) + " bytes";
        return false;
    }
    nlohmann::json object = nlohmann::json::parse(body, nullptr, false);
    if (object.is_discarded() || !object.is_object()) {
        error = "the body is not a JSON object";
        return false;
    }
    auto field = object.find("name");
    if (field == object.end() || !field->is_string()) {
        error = "the body has no \"name\" string";
        return false;
    }
    const std::string& given = field->get_ref<const std::string&>();
    if (!isPlayerName(given)) {
        error = "a name is 3 to 16 of A-Z, a-z, 0-9, _ and -";
        return false;
    }
    name = given;
    return true;
}

bool parseRunId(std::string_view text, int64_t& id)
{
    int64_t value = 0;
    auto [end, failure] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (failure != std::errc() || end != text.data() + text.size() || value < 1)
        return false;
    id = value;
    return true;
}

bool parseTopLimit(std::string_view text, bool given, int& limit)
{
    if (!given) {
        limit = DefaultTopLimit;
        return true;
    }
    int value = 0;
    auto [end, failure] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (failure != std::errc() || end != text.data() + text.size() || value < 1 || value > MaxTopLimit)
        return false;
    limit = value;
    return true;
}

bool constantTimeEqual(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    unsigned char difference = 0;
    for (size_t i = 0; i < a.size(); ++i)
        difference |= static_cast<unsigned char>(a[i] ^ b[i]);
    return difference == 0;
}
