#include "BuiltinStringTable.h"
#include "StringTable.h"

#include <algorithm>
#include <iterator>

namespace {
// The program's own string table, sorted by id. Message texts keep their
// "%s" and "%d" placeholders for res::substitute.
constexpr res::StringEntry kStrings[] = {
    {128, u"Tavloテキストエディタ\n\nTavloEdit\n\n\nTavloEdit.Document\nTavloEdit Document"},
    {30006, u"ファイルは更新されています。\n変更を保存しますか？"},
    {30043, u"文字コード・改行コードの変更は、このファイルの次回保存時に反映されます。\n\n("
            u"現時点では、まだファイルの文字コード・改行コードは変更されていません)"},
    {30044, u"ＭＳ ゴシック"},
    {30045, u"abc あいう"},
    {33000, u"下記ファイルのオープンでエラーが発生しました。\n\n%s"},
    {33001, u"出力先に指定されている下記のパスはフォルダです。\n\n%s"},
    {33002,
     u"下記ファイルは読み取り専用です。読み取り専用属性を解除して、強制的に上書きしますか？\n\n%s"},
    {33003, u"下記ファイルにアクセスできません。\n\n%s"},
    {33004, u"下のパスはテキストファイルではなく、フォルダであるためオープンできません\n\n%s"},
    {33005, u"%d 年 %d月 %d日 %d:%02d:%02d"},
    {33006, u"ジャンプ先には 1 ～ %d の間の数字を指定してください。"},
    {33038, u"このファイルは別のエディタで更新されています。更新されたファイルを読み込み直しますか"
            u"？\n\n%s"},
    {35001, u"記録終了(&R)\tShift+Ctrl+R"},
    {35024, u"このファイルは別のTavloエディタで既に開かれています。\n保存の際には必要なデータが上書"
            u"きされてしまわないように、ご注意ください。"},
    {35030, u"コード"},
    {35032, u"(新規テキスト)"},
    {35034, u"ファイルを開く"},
    {35035, u"ファイルへ保存"},
    {35036, u" バイト"},
    {35050, u"フォント１(&1)\tCtrl+1"},
    {35053, u"フォント４(&4)\tCtrl+4"},
    {35068, u"開く"},
    {35069, u"保存"},
    {35070, u"切り取り"},
    {35071, u"コピー"},
    {35072, u"貼り付け"},
    {35073, u"マクロ実行"},
    {35074, u"記録終了/マクロ中止"},
    {35081, u"Tavloテキストエディタ"},
    {35089, u"(自動判定)"},
    {35090, u"ANSI"},
    {35091, u"Unicode"},
    {35092, u"Unicode(BigEndian)"},
    {35093, u"UTF-8"},
    {35094, u"UTF-8N"},
    {35095, u"EUC"},
    {35096, u"JIS"},
    {35097, u"シフトJIS"},
    {35098, u"シフトJIS"},
    {35099, u"(未登録)"},
    {40000, u"メモリー不足が発生しました。"},
    {40001, u"読み取り専用属性の解除に失敗しました。\n処理を中止します。"},
    {40004, u"メモリーが不足しています。すみやかに編集中のデータをファイルへセーブしてください。"},
    {40009, u"編集中のテキストのサイズが制限値を超えました。\n速やかに「データをファイルに保存する"
            u"」などの対処を行ってください。"},
    {40010, u"まもなく、テクストサイズの制限値に達します。\n速やかに「データをファイルに保存する」"
            u"などの対処を行ってください。"},
    {40013, u"指定のファイルのオープンでエラーが発生しました。\nツールバーの【開く】ボタンを使用し"
            u"てファイルを開いてください。"},
    {40019, u"文字コード変換の際にエラーが発生しました。"},
    {40021, u"デバイス上の別のTavloテキストエディタ実行ファイルに拡張子の関連付けがされています。\n"
            u"\n関連付けをやり直しますか？"},
    {40022, u"拡張子の関連付け情報に誤りを検出しました。\n\n関連付けをやり直しますか？"},
    {40023, u"関連付けの最中にエラーが発生しました。"},
    {40024, u"フォントサイズには １ ～ 144 を入力してください。"},
    {57344, u"Tavloテキストエディタ"},
};

} // namespace

namespace res {

std::span<const StringEntry> builtinStringEntries() {
    return kStrings;
}

} // namespace res

std::optional<QString> BuiltinStrings::loadString(uint32_t id) const {
    const auto* end = std::end(kStrings);
    const auto* found =
        std::lower_bound(std::begin(kStrings), end, id,
                         [](const res::StringEntry& e, uint32_t v) { return e.id < v; });
    if (found == end || found->id != id)
        return std::nullopt;
    return QString::fromUtf16(found->text);
}
