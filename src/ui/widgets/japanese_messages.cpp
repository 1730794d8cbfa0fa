#include "ui/widgets/japanese_messages.h"

#include <QRegularExpression>

#include <cerrno>
#include <system_error>
#include <vector>

namespace ft::widgets {
namespace {

struct Rewrite {
    QRegularExpression english;
    QString japanese;
};

Rewrite rewrite(const QString& pattern, const QString& japanese)
{
    return {QRegularExpression(pattern, QRegularExpression::MultilineOption), japanese};
}

// The system's error texts, as std::system_error words them, for the errors
// a file operation of this program can meet.
void addSystemErrors(std::vector<Rewrite>& rewrites)
{
    const std::pair<int, const char*> errors[] = {
        {ENOENT, "ファイルまたはフォルダーがありません"},
        {EACCES, "アクセスが許可されていません"},
        {EPERM, "操作が許可されていません"},
        {ENOSPC, "ディスクに空きがありません"},
        {EDQUOT, "ディスクの使用量の上限を超えました"},
        {EROFS, "読み取り専用のファイルシステムです"},
        {EISDIR, "フォルダーです"},
        {ENOTDIR, "フォルダーではありません"},
        {EIO, "入出力エラーが起きました"},
        {ELOOP, "シンボリックリンクが循環しています"},
        {ENAMETOOLONG, "名前が長すぎます"},
        {EEXIST, "すでにあります"},
        {EBUSY, "使用中です"},
        {EAGAIN, "一時的に使えません"},
        {EMFILE, "開いているファイルが多すぎます"},
        {ENFILE, "システム全体で開いているファイルが多すぎます"},
        {ENOTEMPTY, "フォルダーが空ではありません"},
        {EBADF, "ファイルが開かれていません"},
        {EXDEV, "別のファイルシステムにまたがっています"},
        {ENOMEM, "メモリーが足りません"},
        {EFBIG, "ファイルが大きすぎます"},
        {ETXTBSY, "実行中のファイルです"},
        {EINVAL, "引数が正しくありません"},
        {ENXIO, "装置がありません"},
        {ENODEV, "装置がありません"},
        {ENOEXEC, "実行できる形式ではありません"},
        {ESTALE, "ネットワーク上のファイルが古くなっています"},
        {ETIMEDOUT, "時間切れになりました"},
        {ENOLCK, "ロックを使えません"},
        {EILSEQ, "文字として正しくないバイト列です"},
    };
    for (const auto& [code, japanese] : errors) {
        const QString english = QString::fromStdString(std::generic_category().message(code));
        rewrites.push_back(rewrite(QRegularExpression::escape(english) + QStringLiteral("\\b"),
                                   QString::fromUtf8(japanese)));
    }
}

// Most specific first: a phrase that holds another phrase comes before it.
std::vector<Rewrite> makeRewrites()
{
    std::vector<Rewrite> rewrites;
    // libstdc++'s lead-in of a std::filesystem::filesystem_error.
    rewrites.push_back(rewrite(QStringLiteral("filesystem error: "), QString()));
    addSystemErrors(rewrites);
    const std::pair<const char*, const char*> phrases[] = {
        // Registration runs and why a data set was not registered.
        {"another registration is running on (.+?); try again when it has ended",
         "\\1 では別の登録が実行中です。終わってからもう一度実行してください"},
        {"readPntToTable found no point in (.+)$", "\\1 に読み込める点がありません"},
        {"\\b(\\w+) failed for (.+)$", "\\2 を取り込めませんでした（\\1）"},
        {"\\b(\\w+) failed$", "\\1 が失敗しました"},
        {"record (\\d+): ", "\\1件目のレコード: "},
        {"'(.*?)' is not a valid number", "「\\1」は数値ではありません"},
        {"the point lacks its (\\w+) value \\(the line is cut short\\)",
         "点の \\1 の値がありません（行が途中で切れています）"},
        {": is not a file$", ": ファイルではありません"},
        {": cannot be opened for reading$", ": 読み込み用に開けません"},
        // Text that is not what its encoding says.
        {"Invalid (CP932|UTF-8) byte sequence at byte (\\d+)",
         "\\1 として正しくないバイト列（\\2バイト目）"},
        {"Incomplete (CP932|UTF-8) character at byte (\\d+) \\(end of text\\)",
         "途中で切れた \\1 の文字（\\2バイト目、テキストの終わり）"},
        {"(CP932|UTF-8) to (CP932|UTF-8) conversion failed at byte (\\d+)",
         "\\1 から \\2 に変換できません（\\3バイト目）"},
        {"Character (U\\+[0-9A-F]+) at byte (\\d+) cannot be represented in CP932",
         "文字 \\1（\\2バイト目）は CP932 で表せません"},
        {"Zero byte \\(NUL\\) at byte (\\d+)", "ゼロのバイト（NUL、\\1バイト目）"},
        // A catalogue another program holds: its Japanese first half is
        // enough in a window.
        {" \\(the catalogue is in use by another findTavla; try again when it has finished\\)",
         "。終わってからもう一度実行してください"},
        // The viewer's request file.
        {"The request file path (.+) holds a double quote and cannot be passed to the viewer",
         "表示依頼ファイルのパス \\1 は二重引用符を含むため、図面表示プログラムに渡せません"},
        {"The request file (.+) is not a regular file",
         "表示依頼ファイル \\1 はファイルではありません"},
        {"The request file (.+) does not exist", "表示依頼ファイル \\1 がありません"},
        {"Cannot open the request file ", "表示依頼ファイルを開けません: "},
        {"Cannot read the request file ", "表示依頼ファイルを読み込めません: "},
        {"Cannot create the request file ", "表示依頼ファイルを作れません: "},
        // Settings, working files and files replaced whole.
        {"cannot read the settings file", "設定ファイルを読み込めません"},
        {"cannot write the settings file", "設定ファイルに書き込めません"},
        {"Cannot remove the working file", "作業ファイルを削除できません"},
        {"Cannot create a file beside ", "一時ファイルを作れません: "},
        {"The replacement of (.+) is closed", "\\1 の書き換えはもう閉じられています"},
        {"Cannot replace ", "置き換えられません: "},
        {"cannot find the home folder: HOME is not set",
         "ホームフォルダーがわかりません（環境変数 HOME がありません）"},
        // Any file.
        {"\\b[Cc]annot open ", "開けません: "},
        {"\\b[Cc]annot read ", "読み込めません: "},
        {"\\b[Cc]annot write ", "書き込めません: "},
        {"\\bcannot lock ", "ロックできません: "},
        {"^Unknown error$", "不明なエラーが起きました"},
    };
    for (const auto& [english, japanese] : phrases)
        rewrites.push_back(rewrite(QString::fromUtf8(english), QString::fromUtf8(japanese)));
    return rewrites;
}

} // namespace

QString japaneseMessage(const QString& message)
{
    // Made once; read only from then on.
    static const std::vector<Rewrite> rewrites = makeRewrites();
    QString text = message;
    for (const Rewrite& r : rewrites)
        text.replace(r.english, r.japanese);
    return text;
}

} // namespace ft::widgets
