// CliRules.cpp - the command line of rpsettings and what a judged printer state allows it.
#include "cli/CliRules.h"

#include <algorithm>

namespace {

struct CommandShape {
    const char* Name;
    CliCommand Command;
    size_t MinPositional;
    size_t MaxPositional;
};

constexpr size_t Many = static_cast<size_t>(-1);

const CommandShape Shapes[] = {
    {"list", CliCommand::List, 0, 0},        {"show", CliCommand::Show, 1, 1},
    {"export", CliCommand::Export, 1, 2},    {"diff", CliCommand::Diff, 2, 2},
    {"import", CliCommand::Import, 2, Many}, {"copy", CliCommand::Copy, 2, Many},
    {"report", CliCommand::Report, 0, 0},    {"help", CliCommand::Help, 0, 0},
    {"history", CliCommand::History, 1, 1},  {"undo", CliCommand::Undo, 1, Many},
};

bool Writes(CliCommand command) {
    return command == CliCommand::Import || command == CliCommand::Copy || command == CliCommand::Undo;
}

CliParse Refuse(std::string problem) {
    CliParse parse;
    parse.Problem = std::move(problem);
    return parse;
}

CliParse ParseArguments(const std::vector<std::string>& arguments);

}  // namespace

const char* CommandName(CliCommand command) {
    for (const CommandShape& s : Shapes) {
        if (s.Command == command) return s.Name;
    }
    return "help";
}

CliParse ParseCliArguments(const std::vector<std::string>& arguments) {
    CliParse parse = ParseArguments(arguments);
    // A refused command line still answers in JSON when it asked for it.
    parse.Arguments.Json = std::find(arguments.begin(), arguments.end(), "--json") != arguments.end();
    return parse;
}

namespace {

CliParse ParseArguments(const std::vector<std::string>& arguments) {
    CliParse parse;
    CliArguments& a = parse.Arguments;
    std::vector<std::string> positional;
    bool help = false;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--help" || argument == "-h" || argument == "/?") {
            help = true;
        } else if (argument == "--dry-run") {
            a.DryRun = true;
        } else if (argument == "--json") {
        } else if (argument == "--password") {
            if (i + 1 == arguments.size()) return Refuse("--password の後にパスワードがありません。");
            a.Password = arguments[++i];
        } else if (argument == "--history" || argument == "--at") {
            if (i + 1 == arguments.size()) return Refuse(argument + " の後に値がありません。");
            (argument == "--at" ? a.At : a.HistoryRoot) = arguments[++i];
            if (arguments[i].empty()) return Refuse(argument + " の値が空です。");
        } else if (argument == "--no-history") {
            a.NoHistory = true;
        } else if (argument.rfind("--password=", 0) == 0) {
            a.Password = argument.substr(11);
        } else if (argument.size() > 1 && argument[0] == '-' && argument[1] == '-') {
            return Refuse("オプション「" + argument + "」はありません。");
        } else {
            positional.push_back(argument);
        }
    }
    if (help) {
        a.Command = CliCommand::Help;
        parse.Ok = true;
        return parse;
    }
    if (positional.empty()) return Refuse("コマンドがありません。");

    const CommandShape* shape = nullptr;
    for (const CommandShape& s : Shapes) {
        if (positional[0] == s.Name) shape = &s;
    }
    if (shape == nullptr) return Refuse("コマンド「" + positional[0] + "」はありません。");
    positional.erase(positional.begin());
    if (positional.size() < shape->MinPositional || positional.size() > shape->MaxPositional) {
        return Refuse(std::string("「") + shape->Name + "」の引数の数が違います。");
    }
    if (a.DryRun && !Writes(shape->Command)) return Refuse("--dry-run は import, copy, undo だけに使えます。");
    if (a.NoHistory && !Writes(shape->Command)) return Refuse("--no-history は import, copy, undo だけに使えます。");
    if (!a.HistoryRoot.empty() && !Writes(shape->Command) && shape->Command != CliCommand::History)
        return Refuse("--history は import, copy, undo, history だけに使えます。");
    if (!a.At.empty() && shape->Command != CliCommand::Undo) return Refuse("--at は undo だけに使えます。");

    a.Command = shape->Command;
    switch (a.Command) {
        case CliCommand::Export:
            if (positional.size() == 2) a.File = positional[1];
            a.Printers.assign(positional.begin(), positional.begin() + 1);
            break;
        case CliCommand::Diff:
        case CliCommand::Import:
            a.File = positional.back();
            positional.pop_back();
            a.Printers = positional;
            break;
        case CliCommand::Copy:
            a.From = positional[0];
            a.Printers.assign(positional.begin() + 1, positional.end());
            break;
        default:
            a.Printers = positional;
            break;
    }
    parse.Ok = true;
    return parse;
}

}  // namespace

std::optional<uint32_t> RefusalFor(const PrinterStateDecision& decision, PrinterUse use) {
    if (decision.Result == 0 || decision.PrinterBusy != 0) return decision.TextId;
    if (decision.CanRead == 0) return decision.TextId;
    if (use == PrinterUse::ReadAndUpdate && decision.CanUpdate == 0) return decision.TextId;
    return std::nullopt;
}
