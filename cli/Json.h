// Json.h - the documents rpsettings writes with --json: a small value (object with its keys in the
// order given, array, string, integer, true/false, null) and its text. Strings are UTF-8; the
// caller turns the program's text into UTF-8 before it goes in.
#ifndef RP_CLI_JSON_H
#define RP_CLI_JSON_H

#include <cstdint>
#include <string>
#include <utility>
#include <variant>
#include <vector>

class Json {
public:
    Json() = default;  // null
    Json(std::nullptr_t) {}
    Json(bool value) : value_(value) {}
    Json(int value) : value_(static_cast<int64_t>(value)) {}
    Json(int64_t value) : value_(value) {}
    Json(uint32_t value) : value_(static_cast<int64_t>(value)) {}
    Json(std::string utf8) : value_(std::move(utf8)) {}
    Json(const char* utf8) : value_(std::string(utf8)) {}

    static Json Object();
    static Json Array();

    // An object's member (added, or replaced where the key is there already); an array's next item.
    Json& Set(const std::string& key, Json value);
    Json& Push(Json value);

    using Members = std::vector<std::pair<std::string, Json>>;
    // An object's members, moved out (none for any other value).
    Members TakeMembers();

    // The document's text: two spaces an indent, one member or item a line.
    std::string Text() const;

private:
    using Items = std::vector<Json>;
    std::variant<std::nullptr_t, bool, int64_t, std::string, Members, Items> value_ = nullptr;

    void Write(std::string& out, int indent) const;
};

#endif
