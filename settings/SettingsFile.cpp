// SettingsFile.cpp - reading, checking and writing settings files.
#include "settings/SettingsFile.h"

#include <algorithm>
#include <cstdlib>
#include <optional>

namespace {

std::string_view Trim(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

// A decimal number with an optional sign, or "0x" and up to eight hexadecimal digits. No byte of a
// value is ever the second byte of a CP932 character, so the text is read byte by byte.
std::optional<int64_t> ParseNumber(std::string_view text) {
    bool negative = false;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    int base = 10;
    size_t maxDigits = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        maxDigits = 8;
        text.remove_prefix(2);
    }
    if (text.empty() || text.size() > maxDigits) return std::nullopt;
    int64_t value = 0;
    for (const char c : text) {
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            return std::nullopt;
        value = value * base + digit;
    }
    return negative ? -value : value;
}

FileProblem Problem(int32_t line, std::string key, FileProblemKind kind, std::string value = {}) {
    FileProblem p;
    p.Line = line;
    p.Key = std::move(key);
    p.Kind = kind;
    p.Value = std::move(value);
    return p;
}

const FileSetting* Named(const SettingsFile& file, const SettingKey* key) {
    for (const FileSetting& s : file.Settings) {
        if (s.Key == key) return &s;
    }
    return nullptr;
}

const SettingKey& FormKey(int32_t formIndex, const char* field) {
    return *FindSettingKey("Form" + std::to_string(formIndex + 1) + "." + field);
}

// The field of a form that a failed check concerns.
const char* FormCheckField(FormCheck check) {
    switch (check) {
        case FormCheck::BadPageLength:
            return "PageLength";
        case FormCheck::BadLeftMargin:
        case FormCheck::LeftAboveRight:
            return "LeftMargin";
        case FormCheck::BadRightMargin:
        case FormCheck::RightNotAboveLeft:
            return "RightMargin";
        case FormCheck::BadCutSheetOffset:
            return "CutSheetOffset";
        case FormCheck::Accepted:
            break;
    }
    return nullptr;
}

// The problem for a form that failed its checks; `valueOf` gives the value of a form key.
template <typename ValueOf>
void AddFormProblem(std::vector<FileProblem>& problems, const SettingsFile& file, int32_t k, FormCheck check,
                    ValueOf valueOf) {
    const char* field = FormCheckField(check);
    if (field == nullptr) return;
    const SettingKey& key = FormKey(k, field);
    const FileSetting* named = Named(file, &key);
    FileProblem p =
        Problem(named ? named->Line : 0, key.Key, FileProblemKind::NotAllowed, std::to_string(valueOf(key)));
    if (check == FormCheck::LeftAboveRight || check == FormCheck::RightNotAboveLeft) {
        p.Kind = check == FormCheck::LeftAboveRight ? FileProblemKind::LeftAboveRight
                                                    : FileProblemKind::RightNotAboveLeft;
        p.Other = std::to_string(
            valueOf(FormKey(k, check == FormCheck::LeftAboveRight ? "RightMargin" : "LeftMargin")));
    }
    problems.push_back(std::move(p));
}

// The margin order of every form whose two margins the settings name (with allowed values: others
// are not taken in). The page length and correction are checked on their own, so valid ones stand
// in for them here.
void CheckNamedMargins(const SettingsFile& file, std::vector<FileProblem>& problems) {
    for (int32_t k = 0; k < FormCount; ++k) {
        const FileSetting* left = Named(file, &FormKey(k, "LeftMargin"));
        const FileSetting* right = Named(file, &FormKey(k, "RightMargin"));
        if (left == nullptr || right == nullptr) continue;
        const FormCheck check =
            CheckFormEntries({PageLengthRange.Min, left->Value, right->Value, CutSheetOffsetRange.Min});
        AddFormProblem(problems, file, k, check,
                       [&](const SettingKey& key) { return &key == left->Key ? left->Value : right->Value; });
    }
}

// A switch byte of 0xFF, which no printer can be read with afterwards, is refused on the last line
// of the file that sets a bit of it (the printer's own bits count too).
void CheckSwitchBytes(const SettingsFile& file, const PrinterSettings& applied,
                      std::vector<FileProblem>& problems) {
    const int32_t byte = UnreadableSwitchByte(applied.Record.SwitchBits);
    if (byte < 0) return;
    const FileSetting* last = nullptr;
    for (const FileSetting& s : file.Settings) {
        const SettingField& field = s.Key->Setting->Field;
        const bool inByte = s.Key->Setting->Unit == SettingUnit::RawBits ||
                            (field.Bits.Width > 0 && !field.InForm && field.Bits.Byte == byte);
        if (inByte) last = &s;
    }
    if (last == nullptr) return;
    problems.push_back(
        Problem(last->Line, last->Key->Key, FileProblemKind::SwitchByteFull, std::to_string(byte)));
}

}  // namespace

FileReading ReadSettingsFile(std::string_view text, std::string_view model) {
    FileReading reading;
    enum { ExpectFormat, ExpectModel, InSettings } expect = ExpectFormat;
    int32_t formatLine = 0;
    int32_t number = 0;
    std::vector<int32_t> firstLine(SettingKeys().size(), 0);  // where each key came first
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        ++number;
        // Not even a comment may hold one: the message naming the line would end at it.
        if (line.find('\0') != std::string_view::npos) {
            reading.Problems.push_back(Problem(number, {}, FileProblemKind::NulByte));
            continue;
        }
        line = Trim(line.substr(0, line.find('#')));
        if (!line.empty() && line.back() == '\r') line = Trim(line.substr(0, line.size() - 1));
        if (line.empty()) continue;

        const size_t equals = line.find('=');
        if (equals == std::string_view::npos) {
            reading.Problems.push_back(Problem(number, {}, FileProblemKind::NotKeyValue));
            continue;
        }
        const std::string key(Trim(line.substr(0, equals)));
        const std::string value(Trim(line.substr(equals + 1)));

        if (expect == ExpectFormat) {
            expect = ExpectModel;
            formatLine = number;
            if (key == SettingsFileFormatKey) {
                if (value != SettingsFileFormatVersion) {
                    reading.Problems.push_back(Problem(number, key, FileProblemKind::WrongVersion, value));
                }
                continue;
            }
            reading.Problems.push_back(Problem(number, {}, FileProblemKind::NoHeader));
            expect = InSettings;  // no model line either: one problem is enough
        } else if (expect == ExpectModel) {
            expect = InSettings;
            if (key == SettingsFileModelKey) {
                if (value != model) {
                    FileProblem p = Problem(number, key, FileProblemKind::OtherModel, value);
                    p.Other = model;
                    reading.Problems.push_back(std::move(p));
                }
                continue;
            }
            FileProblem p = Problem(number, {}, FileProblemKind::NoModel);
            p.Other = model;
            reading.Problems.push_back(std::move(p));
        }

        const SettingKey* setting = FindSettingKey(key);
        if (setting == nullptr) {
            reading.Problems.push_back(Problem(number, key, FileProblemKind::UnknownKey));
            continue;
        }
        const int32_t first = firstLine[setting - &SettingKeys()[0]];
        if (first != 0) {
            FileProblem p = Problem(number, key, FileProblemKind::DuplicateKey);
            p.OtherLine = first;
            reading.Problems.push_back(std::move(p));
            continue;
        }
        firstLine[setting - &SettingKeys()[0]] = number;
        const std::optional<int64_t> parsed = ParseNumber(value);
        if (!parsed) {
            reading.Problems.push_back(Problem(number, key, FileProblemKind::NotANumber, value));
        } else if (!SettingValueAllowed(*setting, *parsed)) {
            reading.Problems.push_back(Problem(number, key, FileProblemKind::NotAllowed, value));
        } else {
            reading.File.Settings.push_back({setting, static_cast<int32_t>(*parsed), number});
        }
    }
    if (expect == ExpectFormat) {
        reading.Problems.push_back(Problem(1, {}, FileProblemKind::NoHeader));
    } else if (expect == ExpectModel) {
        FileProblem p = Problem(formatLine + 1, {}, FileProblemKind::NoModel);
        p.Other = model;
        reading.Problems.push_back(std::move(p));
    }
    CheckNamedMargins(reading.File, reading.Problems);
    // A file that turns on every bit of a switch byte makes it 0xFF whatever the printer holds.
    PrinterSettings nothingElse;
    ApplySettingsFile(reading.File, nothingElse);
    CheckSwitchBytes(reading.File, nothingElse, reading.Problems);
    std::stable_sort(reading.Problems.begin(), reading.Problems.end(),
                     [](const FileProblem& a, const FileProblem& b) { return a.Line < b.Line; });
    return reading;
}

std::vector<FileProblem> CheckSettings(const SettingsFile& file) {
    std::vector<FileProblem> problems;
    SettingsFile allowed;
    for (const FileSetting& s : file.Settings) {
        if (SettingValueAllowed(*s.Key, s.Value)) {
            allowed.Settings.push_back(s);
        } else {
            problems.push_back(Problem(s.Line, s.Key->Key, FileProblemKind::NotAllowed,
                                       FormatSettingValue(*s.Key, s.Value)));
        }
    }
    CheckNamedMargins(allowed, problems);
    return problems;
}

std::string WriteSettingsFile(const PrinterSettings& settings, std::string_view model,
                              std::string_view source) {
    std::string text = "# Kestrovane リモートパネル 設定ファイル\n# プリンタ「";
    // A printer's name may hold a line break or another control character: the comment stays one
    // line. A byte below 0x20 is never the second byte of a double-byte character.
    for (const char c : source) text.push_back(static_cast<unsigned char>(c) < 0x20 || c == 0x7F ? '?' : c);
    text += "」の設定。書かれていない設定はプリンタの値のまま変わりません。\n";
    text += std::string(SettingsFileFormatKey) + " = " + SettingsFileFormatVersion + "\n";
    text += std::string(SettingsFileModelKey) + " = ";
    text.append(model);
    text += "\n";
    const std::string* section = nullptr;
    for (const SettingKey& key : SettingKeys()) {
        if (section == nullptr || *section != key.Section) {
            section = &key.Section;
            text += "\n# [" + key.Section + "]\n";
        }
        std::string line = key.Key + " = " + FormatSettingValue(key, GetSettingValue(key, settings));
        if (line.size() < 36) line.resize(36, ' ');
        text += line + " # " + key.Label + ": " + AllowedValuesText(key) + "\n";
    }
    return text;
}

SettingsFile SettingsOf(const PrinterSettings& settings) {
    SettingsFile file;
    for (const SettingKey& key : SettingKeys()) {
        file.Settings.push_back({&key, GetSettingValue(key, settings), 0});
    }
    return file;
}

void ApplySettingsFile(const SettingsFile& file, PrinterSettings& settings) {
    for (const FileSetting& s : file.Settings) SetSettingValue(*s.Key, s.Value, settings);
}

std::vector<FileProblem> CheckAppliedSettings(const SettingsFile& file, const PrinterSettings& applied) {
    std::vector<FileProblem> problems;
    CheckSwitchBytes(file, applied, problems);
    for (int32_t k = 0; k < FormCount; ++k) {
        bool touched = false;
        for (const FileSetting& s : file.Settings) touched = touched || s.Key->FormIndex == k;
        if (!touched) continue;
        const FormSettings& form = applied.Record.Forms[k];
        const FormCheck check =
            CheckFormEntries({form.PageLength, form.LeftMargin, form.RightMargin, form.CutSheetOffset});
        AddFormProblem(problems, file, k, check,
                       [&](const SettingKey& key) { return GetSettingValue(key, applied); });
    }
    return problems;
}

std::vector<SettingDifference> CompareSettings(const PrinterSettings& before, const PrinterSettings& after) {
    std::vector<SettingDifference> differences;
    for (const SettingKey& key : SettingKeys()) {
        const int32_t a = GetSettingValue(key, before);
        const int32_t b = GetSettingValue(key, after);
        if (a != b) differences.push_back({&key, a, b});
    }
    return differences;
}

std::string FileProblemText(const FileProblem& p) {
    const SettingKey* key = FindSettingKey(p.Key);
    std::string what;
    switch (p.Kind) {
        case FileProblemKind::NoHeader:
            what = std::string("先頭に「") + SettingsFileFormatKey + " = " + SettingsFileFormatVersion +
                   "」の行がありません。";
            break;
        case FileProblemKind::WrongVersion:
            what = "形式の版 " + p.Value + " は読めません（読めるのは " + SettingsFileFormatVersion + "）。";
            break;
        case FileProblemKind::NoModel:
            what = std::string("ヘッダの 2 行目に「") + SettingsFileModelKey + " = " + p.Other +
                   "」の行がありません。";
            break;
        case FileProblemKind::OtherModel:
            what = "機種 " + p.Value + " の設定ファイルです（このプリンタは " + p.Other + "）。";
            break;
        case FileProblemKind::NotKeyValue:
            what = "「キー = 値」の形の行ではありません。";
            break;
        case FileProblemKind::NulByte:
            what = "NUL 文字（0x00）があります。設定ファイルのテキストではありません。";
            break;
        case FileProblemKind::UnknownKey:
            what = "この名前の設定項目はありません。";
            break;
        case FileProblemKind::DuplicateKey:
            what = std::to_string(p.OtherLine) + " 行目と同じ設定項目です。";
            break;
        case FileProblemKind::NotANumber:
            what = "値「" + p.Value + "」は数値ではありません。";
            break;
        case FileProblemKind::NotAllowed:
            what = std::string(p.Line == 0 ? "プリンタの値 " : "値 ") + p.Value + " は設定できません。";
            if (key != nullptr) what += "設定できる値: " + AllowedValuesText(*key);
            break;
        case FileProblemKind::LeftAboveRight:
            what = "レフトマージン幅 " + p.Value + " がライトマージン幅 " + p.Other + " を超えています。";
            break;
        case FileProblemKind::RightNotAboveLeft:
            what = "ライトマージン幅 " + p.Value + " がレフトマージン幅 " + p.Other + " を超えていません。";
            break;
        case FileProblemKind::SwitchByteFull: {
            // Which switches the byte holds: every one of them is on.
            std::string names;
            for (const SettingDescription* s : SwitchesOfByte(std::atoi(p.Value.c_str()))) {
                names += (names.empty() ? "" : "、") + std::string(s->Label);
            }
            what =
                "プリンタの値と合わせると次のスイッチがすべてオンになり、プリンタの設定が読み込めなくなります"
                ": " +
                names + "。";
            break;
        }
    }
    std::string text;
    if (!p.Key.empty()) {
        text += p.Key;
        if (key != nullptr) text += "（" + key->Label + "）";
        text += ": ";
    }
    return text + what;
}

std::string DescribeFileProblem(const FileProblem& p, std::string_view name) {
    std::string line(name);
    if (p.Line > 0) line += ":" + std::to_string(p.Line);
    return line + ": " + FileProblemText(p);
}
