#pragma once

#include <QString>
#include <QStringView>
#include <cstdint>

// Message ids of the macro loader's report lines and of the macro commands.
namespace macromsg {
constexpr uint32_t FindTextError = 33009; // 検索文字列の指定にあやまりがあります。
constexpr uint32_t QuoteUnbalanced =
    33011; // コマンド引数のダブルクォートの対応が正しくありません。
constexpr uint32_t ExtraData = 33012; // コマンドの後ろにある無効なデータ "%s" を無視しました。
constexpr uint32_t ReplaceFormat = 33013; // 置換コマンドのフォーマットに誤りがあります。
constexpr uint32_t OpenNoFile =
    33014; // LOAD コマンドでデータの読み込み元のファイルが指定されていません。
constexpr uint32_t UnlockKeyword = 33015; // UNLOCK コマンドで未知のキーワード "%s" ...
constexpr uint32_t LockKeyword = 33016;   // LOCK コマンドで未知のキーワード "%s" ...
constexpr uint32_t SelectKeyword = 33017; // SELECT コマンドの引数に未知のキーワード "%s" ...
constexpr uint32_t UnselectKeyword = 33018; // UNSELECT コマンドの引数に未知のキーワード "%s" ...
constexpr uint32_t SleepFormat = 33019; // SLEEP コマンドの書式に誤りがあります。...
constexpr uint32_t GotoArgument = 33020; // GOTO コマンドの引数の指定に誤りがあります。
constexpr uint32_t EnableKeyword = 33021; // ENABLEWINDOW コマンドの引数に未知のキーワード "%s" ...
constexpr uint32_t TypeFormat = 33022; // TYPE コマンドの書式に間違いがあります。
constexpr uint32_t TypeQuote = 33023; // TYPE コマンドの引数のダブルクォートが完結していません。
constexpr uint32_t TypeExtraData =
    33024; // TYPE コマンドの引数の後ろに、余分なデータ "%s" を無視します。
constexpr uint32_t TypeUnknownKeyword =
    33025; // TYPE コマンドで使われている未知のキーワード "%s" を無視します。
constexpr uint32_t NewerVersion = 33028; // このマクロは新しいバージョン %d.%02d の文法で...
constexpr uint32_t InvalidOption = 33029; // %s コマンドで無効なオプション "%s" が指定されています。
constexpr uint32_t ReplaceQuote1 = 33030; // REPLACE コマンドの１番目の引数のダブルクォート...
constexpr uint32_t ReplaceQuote2 = 33031; // REPLACE コマンドの２番目の引数のダブルクォート...
constexpr uint32_t SaveNoFile = 33032; // SAVE コマンドで、出力先のファイルが指定されていません。
constexpr uint32_t SaveNameIgnored = 33033; // SAVE コマンドの /A オプションが指定されているため...
constexpr uint32_t ArgumentMissing =
    33034; // %s コマンドの引数は省略できません。"%s" を指定してください。
constexpr uint32_t UnknownCommand = 33035; // 未知のマクロコマンド "%s" を検出しました。
constexpr uint32_t LoadCancelled =
    40007; // 　　エラーが発生したため、マクロのロードを中止しました。
} // namespace macromsg

// Appends the numbered lines of the loader's report, each ending in CR LF.
// Numbers go into the text before strings, so that a "%" in a user's text is
// never taken for a place holder. After kMaxLines lines one closing line says
// that the rest was left out: a file of millions of bad lines gets a report
// a person can read, in bounded time and memory.
class MacroReport {
  public:
    static constexpr int kMaxLines = 1000;

    explicit MacroReport(QString& report) : report_(report) {}

    void add(uint32_t id, int line);
    void add(uint32_t id, int line, const QString& text);
    void add(uint32_t id, int line, const QString& text1, const QString& text2);
    void addVersion(int major, int minor);

  private:
    void append(const QString& text);
    QString& report_;
    int lines_ = 0;
};

// A message text from the string table, empty when the table lacks it.
QString macroMessage(uint32_t id);
