// Json.cpp - building and writing rpsettings' JSON documents.
#include "cli/Json.h"

#include <cstdio>

namespace {

void Quote(std::string& out, const std::string& text) {
    out.push_back('"');
    for (const char c : text) {
        const unsigned char u = static_cast<unsigned char>(c);
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (u < 0x20) {
                    char escaped[8];
                    std::snprintf(escaped, sizeof escaped, "\\u%04x", u);
                    out += escaped;
                } else {
                    out.push_back(c);  // UTF-8 goes as it is
                }
        }
    }
    out.push_back('"');
}

void NewLine(std::string& out, int indent) {
    out.push_back('\n');
    out.append(static_cast<size_t>(indent) * 2, ' ');
}

}  // namespace

Json Json::Object() {
    Json json;
    json.value_ = Members{};
    return json;
}

Json Json::Array() {
    Json json;
    json.value_ = Items{};
    return json;
}

Json& Json::Set(const std::string& key, Json value) {
    if (!std::holds_alternative<Members>(value_)) value_ = Members{};
    Members& members = std::get<Members>(value_);
    for (auto& member : members) {
        if (member.first == key) {
            member.second = std::move(value);
            return member.second;
        }
    }
    members.emplace_back(key, std::move(value));
    return members.back().second;
}

Json& Json::Push(Json value) {
    if (!std::holds_alternative<Items>(value_)) value_ = Items{};
    Items& items = std::get<Items>(value_);
    items.push_back(std::move(value));
    return items.back();
}

Json::Members Json::TakeMembers() {
    Members* members = std::get_if<Members>(&value_);
    return members ? std::move(*members) : Members{};
}

std::string Json::Text() const {
    std::string out;
    Write(out, 0);
    out.push_back('\n');
    return out;
}

void Json::Write(std::string& out, int indent) const {
    if (std::holds_alternative<std::nullptr_t>(value_)) {
        out += "null";
    } else if (const bool* b = std::get_if<bool>(&value_)) {
        out += *b ? "true" : "false";
    } else if (const int64_t* n = std::get_if<int64_t>(&value_)) {
        out += std::to_string(*n);
    } else if (const std::string* s = std::get_if<std::string>(&value_)) {
        Quote(out, *s);
    } else if (const Members* members = std::get_if<Members>(&value_)) {
        if (members->empty()) {
            out += "{}";
            return;
        }
        out.push_back('{');
        for (size_t i = 0; i < members->size(); ++i) {
            NewLine(out, indent + 1);
            Quote(out, (*members)[i].first);
            out += ": ";
            (*members)[i].second.Write(out, indent + 1);
            if (i + 1 < members->size()) out.push_back(',');
        }
        NewLine(out, indent);
        out.push_back('}');
    } else if (const Items* items = std::get_if<Items>(&value_)) {
        if (items->empty()) {
            out += "[]";
            return;
        }
        out.push_back('[');
        for (size_t i = 0; i < items->size(); ++i) {
            NewLine(out, indent + 1);
            (*items)[i].Write(out, indent + 1);
            if (i + 1 < items->size()) out.push_back(',');
        }
        NewLine(out, indent);
        out.push_back(']');
    }
}
