#include "MacroTokenizer.h"

#include <climits>

bool isMacroSpace(QChar c) {
    return c.isSpace();
}

QStringView skipMacroSpace(QStringView text) {
    qsizetype i = 0;
    while (i < text.size() && isMacroSpace(text[i]))
        ++i;
    return text.mid(i);
}

namespace {

char16_t asciiUpper(char16_t c) {
    return (c >= u'a' && c <= u'z') ? char16_t(c - 0x20) : c;
}

bool isWordEnd(QChar c) {
    return c == u' ' || c == u'\t' || c == u'"' || c == u'+';
}

} // namespace

bool macroEqualsNoCase(QStringView a, QStringView b) {
    return a.size() == b.size() && macroStartsWithNoCase(a, b);
}

bool macroStartsWithNoCase(QStringView text, QStringView prefix) {
    if (text.size() < prefix.size())
        return false;
    for (qsizetype i = 0; i < prefix.size(); ++i) {
        if (asciiUpper(text[i].unicode()) != asciiUpper(prefix[i].unicode()))
            return false;
    }
    return true;
}

int macroIntegerValue(QStringView text) {
    text = skipMacroSpace(text);
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    long long value = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        if (value <= static_cast<long long>(INT_MAX) + 1)
            value = value * 10 + (text[i].unicode() - u'0');
    }
    if (negative)
        value = -value;
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

bool isMacroEscapeChar(QChar c) {
    return c == u'"' || c == u'\\' || c == u'n' || c == u't';
}

QString macroResolveEscapes(QStringView text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != u'\\' || i + 1 >= text.size()) {
            out.append(c);
            continue;
        }
        const QChar next = text[++i];
        if (next == u'n')
            out.append(u'\n');
        else if (next == u't')
            out.append(u'\t');
        else if (next == u'"' || next == u'\\')
            out.append(next);
        else
            out.append(c).append(next);
    }
    return out;
}

QString macroStringValue(QStringView token) {
    if (token.startsWith(u'"')) {
        token = token.mid(1);
        if (token.endsWith(u'"'))
            token.chop(1);
    }
    return macroResolveEscapes(token);
}

std::optional<MacroToken> MacroTokenizer::next() {
    while (pos_ < text_.size() && isMacroSpace(text_[pos_]))
        ++pos_;
    if (pos_ >= text_.size())
        return std::nullopt;

    MacroToken token;
    const qsizetype start = pos_;
    const QChar first = text_[pos_];
    if (first == u'"') {
        qsizetype i = pos_ + 1;
        bool closed = false;
        while (i < text_.size()) {
            const QChar c = text_[i];
            if (c == u'\\' && i + 1 < text_.size() && isMacroEscapeChar(text_[i + 1])) {
                i += 2;
                continue;
            }
            ++i;
            if (c == u'"') {
                closed = true;
                break;
            }
        }
        token.text = text_.mid(start, i - start).toString();
        if (!closed) {
            token.text.append(u'"');
            token.unbalancedQuote = true;
        }
        pos_ = i;
    } else if (first == u'+') {
        token.text = QStringLiteral("+");
        ++pos_;
    } else {
        qsizetype i = pos_;
        while (i < text_.size() && !isWordEnd(text_[i]))
            ++i;
        token.text = text_.mid(start, i - start).toString();
        pos_ = i;
    }
    while (pos_ < text_.size() && isMacroSpace(text_[pos_]))
        ++pos_;
    return token;
}

MacroArguments scanMacroOptions(MacroTokenizer& tokens) {
    MacroArguments result;
    while (auto token = tokens.next()) {
        const QString& t = token->text;
        if (macroEqualsNoCase(t, u"/A"))
            result.options.a = true;
        else if (macroEqualsNoCase(t, u"/I"))
            result.options.i = true;
        else if (macroEqualsNoCase(t, u"/U"))
            result.options.u = true;
        else if (macroEqualsNoCase(t, u"/F"))
            result.options.f = true;
        else {
            result.argument = std::move(*token);
            break;
        }
    }
    return result;
}
