#pragma once

#include <string>
#include <string_view>

namespace ft::search {

// Whether a searched field is folded to half width the way registration
// stores it (ToHalfWidth): lot numbers, owner names and kana, map sheet and
// point names are; oaza and koaza names are stored as read, so they are not.
enum class WidthFolding { None, HalfWidth };

// The text a search compares, made from what was typed (UTF-8), so that it
// is spelled as registration spells the stored text. Registration decodes
// CP932, so the catalogue holds only characters CP932 decodes to: the typed
// text goes to CP932 and back first (an input method's 〜 U+301C becomes the
// stored ～ U+FF5E, − U+2212 becomes － U+FF0D, and so on), then, for the
// folded fields, through ToHalfWidth, so １０１ finds lot 101. Text CP932
// cannot hold is used as typed: it can match nothing.
// The windows and the command-line tool both search through this.
std::string searchText(std::string_view typedUtf8, WidthFolding folding);

} // namespace ft::search
