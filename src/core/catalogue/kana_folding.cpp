#include "core/catalogue/kana_folding.h"

#include "core/catalogue/sqlite_database.h"

#include <array>
#include <optional>
#include <vector>

namespace ft::catalogue {
namespace {

// Full-width forms of U+FF61 to U+FF9F, in that order.
constexpr std::array<char32_t, 63> kFullWidthOfHalfWidth = {
    U'。', U'「', U'」', U'、', U'・', U'ヲ', U'ァ', U'ィ', U'ゥ', U'ェ', U'ォ', U'ャ', U'ュ',
    U'ョ', U'ッ', U'ー', U'ア', U'イ', U'ウ', U'エ', U'オ', U'カ', U'キ', U'ク', U'ケ', U'コ',
    U'サ', U'シ', U'ス', U'セ', U'ソ', U'タ', U'チ', U'ツ', U'テ', U'ト', U'ナ', U'ニ', U'ヌ',
    U'ネ', U'ノ', U'ハ', U'ヒ', U'フ', U'ヘ', U'ホ', U'マ', U'ミ', U'ム', U'メ', U'モ', U'ヤ',
    U'ユ', U'ヨ', U'ラ', U'リ', U'ル', U'レ', U'ロ', U'ワ', U'ン', U'゛', U'゜'};

constexpr char32_t kHalfWidthFirst = 0xFF61;
constexpr char32_t kHalfWidthLast = 0xFF9F;
constexpr char32_t kVoicedMark = U'゛';
constexpr char32_t kSemiVoicedMark = U'゜';

// One character of the text, or one byte that does not start UTF-8.
struct Decoded {
    char32_t code = 0;
    std::size_t length = 1;
    bool valid = false;
};

Decoded decodeAt(std::string_view text, std::size_t at)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[at + i]); };
    const unsigned char first = byte(0);
    std::size_t length = 0;
    char32_t code = 0;
    if (first < 0x80)
        return {first, 1, true};
    if ((first & 0xE0) == 0xC0) {
        length = 2;
        code = first & 0x1F;
    } else if ((first & 0xF0) == 0xE0) {
        length = 3;
        code = first & 0x0F;
    } else if ((first & 0xF8) == 0xF0) {
        length = 4;
        code = first & 0x07;
    } else {
        return {};
    }
    if (at + length > text.size())
        return {};
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80)
            return {};
        code = (code << 6) | (byte(i) & 0x3F);
    }
    return {code, length, true};
}

void appendUtf8(std::string& out, char32_t code)
{
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// The katakana a character folds to before marks are composed.
char32_t foldedCharacter(char32_t code)
{
    if (code >= U'ぁ' && code <= U'ゖ')
        return code + (U'ァ' - U'ぁ');
    if (code == U'ゝ' || code == U'ゞ')
        return code + (U'ヽ' - U'ゝ');
    if (code >= kHalfWidthFirst && code <= kHalfWidthLast)
        return kFullWidthOfHalfWidth[code - kHalfWidthFirst];
    return code;
}

// The letter a mark makes of the katakana before it, when there is one.
std::optional<char32_t> composed(char32_t kana, char32_t mark)
{
    const bool voiced = mark == kVoicedMark;
    // カ to ト: the voiced letter follows each plain one (ッ breaks the step
    // after チ, hence the list).
    static constexpr char32_t kVoicing[] = {U'カ', U'キ', U'ク', U'ケ', U'コ', U'サ', U'シ', U'ス',
                                            U'セ', U'ソ', U'タ', U'チ', U'ツ', U'テ', U'ト'};
    static constexpr char32_t kHa[] = {U'ハ', U'ヒ', U'フ', U'ヘ', U'ホ'};
    if (voiced) {
        for (const char32_t plain : kVoicing)
            if (kana == plain)
                return kana + 1;
        if (kana == U'ウ')
            return U'ヴ';
        if (kana == U'ワ')
            return U'ヷ';
        if (kana == U'ヲ')
            return U'ヺ';
        if (kana == U'ヽ')
            return U'ヾ';
    }
    for (const char32_t plain : kHa)
        if (kana == plain)
            return kana + (voiced ? 1 : 2);
    return std::nullopt;
}

void foldKanaFunction(sqlite3_context* context, int, sqlite3_value** arguments)
{
    if (sqlite3_value_type(arguments[0]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(arguments[0]));
    const int bytes = sqlite3_value_bytes(arguments[0]);
    try {
        const std::string folded = FoldKana(
            std::string_view(text == nullptr ? "" : text, static_cast<std::size_t>(bytes)));
        sqlite3_result_text(context, folded.data(), static_cast<int>(folded.size()),
                            SQLITE_TRANSIENT);
    } catch (const std::bad_alloc&) {
        sqlite3_result_error_nomem(context);
    }
}

} // namespace

std::string FoldKana(std::string_view utf8)
{
    // Characters kept as code points until the end, so that a mark can
    // change the letter before it; a byte that is not UTF-8 stays a byte.
    struct Piece {
        char32_t code;
        bool valid;
    };
    std::vector<Piece> pieces;
    pieces.reserve(utf8.size());
    for (std::size_t at = 0; at < utf8.size();) {
        const Decoded decoded = decodeAt(utf8, at);
        if (!decoded.valid) {
            pieces.push_back({static_cast<unsigned char>(utf8[at]), false});
            ++at;
            continue;
        }
        at += decoded.length;
        const char32_t code = foldedCharacter(decoded.code);
        if ((code == kVoicedMark || code == kSemiVoicedMark) && !pieces.empty() &&
            pieces.back().valid) {
            if (const auto letter = composed(pieces.back().code, code)) {
                pieces.back().code = *letter;
                continue;
            }
        }
        pieces.push_back({code, true});
    }
    std::string folded;
    folded.reserve(utf8.size());
    for (const Piece& piece : pieces) {
        if (piece.valid)
            appendUtf8(folded, piece.code);
        else
            folded += static_cast<char>(piece.code);
    }
    return folded;
}

void RegisterKanaFolding(sqlite3* db)
{
    const int result = sqlite3_create_function_v2(
        db, kFoldKanaFunction, 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS, nullptr,
        foldKanaFunction, nullptr, nullptr, nullptr);
    if (result != SQLITE_OK)
        throw CatalogueError(std::string("Cannot register the function ") + kFoldKanaFunction +
                             ": " + ResultCodeText(result));
}

} // namespace ft::catalogue
