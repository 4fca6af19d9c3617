#pragma once

#include <QString>
#include <QStringView>
#include <optional>

// White space as the macro language knows it: the platform's space class,
// among them space, TAB, CR, LF, vertical tab, form feed and U+3000.
bool isMacroSpace(QChar c);
// The view without its leading white space.
QStringView skipMacroSpace(QStringView text);
// ASCII letters compared without regard to case; everything else exactly.
bool macroEqualsNoCase(QStringView a, QStringView b);
bool macroStartsWithNoCase(QStringView text, QStringView prefix);

// The platform's decimal conversion: leading white space, an optional sign
// and digits, stopping at the first other character. No digits give 0; values
// beyond the range of int are clamped.
int macroIntegerValue(QStringView text);

// A string value of the language: a leading double quote is removed and then,
// if there was one, a trailing one; then the escape pairs \\ \" \n \t are
// resolved from left to right. A backslash before any other character stays.
QString macroStringValue(QStringView token);
// Resolves the escape pairs only (no quote removal).
QString macroResolveEscapes(QStringView text);
// True for the four characters that may follow a backslash in an escape pair.
bool isMacroEscapeChar(QChar c);

struct MacroToken {
    QString text;
    // A quoted token whose closing quote was missing; the text has one added.
    bool unbalancedQuote = false;

    bool isQuoted() const { return text.startsWith(u'"'); }
};

// Reads the argument text of a command one token at a time: a quoted string
// up to its closing quote (escape pairs kept), a lone "+", or a word ending at
// a space, TAB, double quote or "+". The white space after a token goes with it.
class MacroTokenizer {
  public:
    explicit MacroTokenizer(QStringView text) : text_(text) {}

    std::optional<MacroToken> next();
    // What is left of the argument text, with leading white space removed.
    QString rest() const { return skipMacroSpace(text_.mid(pos_)).toString(); }
    bool atEnd() const { return skipMacroSpace(text_.mid(pos_)).isEmpty(); }

  private:
    QStringView text_;
    qsizetype pos_ = 0;
};

// Options of the commands other than TYPE, VERSION, TOOLTIP and EXPLAIN:
// "/A", "/I", "/U", "/F" in front of the first argument.
struct MacroOptions {
    bool a = false;
    bool i = false;
    bool u = false;
    bool f = false;
};

struct MacroArguments {
    MacroOptions options;
    // The first token that is not an option, if any.
    std::optional<MacroToken> argument;
};

// Consumes options up to and including the first other token.
MacroArguments scanMacroOptions(MacroTokenizer& tokens);
