#include "LanguageTable.h"

#include <charconv>
#include <vector>

namespace {

uint64_t keyOf(LanguageTable::Kind kind, uint32_t id, uint32_t item) {
    return (static_cast<uint64_t>(kind) << 60) | (static_cast<uint64_t>(id) << 28) | item;
}

std::vector<std::string_view> splitTabs(std::string_view line, size_t maxFields) {
    std::vector<std::string_view> fields;
    while (fields.size() + 1 < maxFields) {
        const size_t tab = line.find('\t');
        if (tab == std::string_view::npos)
            break;
        fields.push_back(line.substr(0, tab));
        line.remove_prefix(tab + 1);
    }
    fields.push_back(line);
    return fields;
}

bool parseNumber(std::string_view text, uint32_t* value) {
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
        base = 16;
    }
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), *value, base);
    return error == std::errc() && end == text.data() + text.size();
}

// A pop-up's menu text key is this plus the pop-up's id ("128.p3"), a
// control's tooltip this plus the control's id ("203.t1004").
constexpr uint32_t kSecondKey = 0x10000;

// "158.1157" -> 158, 1157; "30006" -> 30006, 0; "128.p3" -> 128, 0x10003.
bool parseId(std::string_view text, uint32_t* id, uint32_t* item) {
    *item = 0;
    const size_t dot = text.find('.');
    if (dot == std::string_view::npos)
        return parseNumber(text, id);
    std::string_view second = text.substr(dot + 1);
    const bool prefixed = !second.empty() && (second.front() == 'p' || second.front() == 't');
    if (prefixed)
        second.remove_prefix(1);
    if (!parseNumber(text.substr(0, dot), id) || !parseNumber(second, item))
        return false;
    if (prefixed)
        *item += kSecondKey;
    return true;
}

void appendCodePoint(std::u16string& out, uint32_t c) {
    if (c >= 0x10000) {
        c -= 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
    } else {
        out.push_back(static_cast<char16_t>(c));
    }
}

// UTF-8 to UTF-16 with the table's escapes; a malformed byte becomes U+FFFD.
std::u16string decodeText(std::string_view text) {
    std::u16string out;
    for (size_t i = 0; i < text.size();) {
        const auto b = static_cast<unsigned char>(text[i]);
        if (b == '\\' && i + 1 < text.size()) {
            const char e = text[i + 1];
            out.push_back(e == 'n' ? u'\n' : e == 't' ? u'\t' : static_cast<char16_t>(e));
            i += 2;
            continue;
        }
        const int extra = b < 0x80         ? 0
                          : (b >> 5) == 6  ? 1
                          : (b >> 4) == 14 ? 2
                          : (b >> 3) == 30 ? 3
                                           : -1;
        if (extra < 0 || (extra > 0 && i + static_cast<size_t>(extra) >= text.size())) {
            out.push_back(u'\uFFFD');
            ++i;
            continue;
        }
        uint32_t c = extra == 0 ? b : b & (0x3F >> extra);
        bool valid = true;
        for (int k = 1; k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            valid = valid && (next >> 6) == 2;
            c = (c << 6) | (next & 0x3F);
        }
        if (!valid) {
            out.push_back(u'\uFFFD');
            ++i;
            continue;
        }
        appendCodePoint(out, c);
        i += static_cast<size_t>(extra) + 1;
    }
    return out;
}

} // namespace

LanguageTable::LanguageTable(std::string_view text) {
    while (!text.empty()) {
        const size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (!line.empty() && line.front() != '#')
            parseLine(line);
    }
}

void LanguageTable::parseLine(std::string_view line) {
    const std::vector<std::string_view> fields = splitTabs(line, 3);
    uint32_t id = 0;
    uint32_t item = 0;
    if (fields[0] == "language" && fields.size() >= 2) {
        if (parseNumber(fields[1], &id))
            languageId_ = static_cast<uint16_t>(id);
        return;
    }
    if (fields.size() != 3)
        return;
    Kind kind;
    if (fields[0] == "string")
        kind = Kind::String;
    else if (fields[0] == "menu")
        kind = Kind::Menu;
    else if (fields[0] == "dialog")
        kind = Kind::Dialog;
    else if (fields[0] == "name")
        kind = Kind::Name;
    else
        return;
    if (kind == Kind::Name && fields[1] == "*")
        id = 0;
    else if (!parseId(fields[1], &id, &item))
        return;
    texts_[keyOf(kind, id, item)] = decodeText(fields[2]);
}

const std::u16string* LanguageTable::find(Kind kind, uint32_t id, uint32_t item) const {
    const auto found = texts_.find(keyOf(kind, id, item));
    return found == texts_.end() ? nullptr : &found->second;
}
