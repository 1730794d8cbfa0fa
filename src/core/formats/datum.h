#pragma once

// The two geodetic datums. Everything that stores or reads a datum does so as
// its code, 1 or 2 (settings file, header files, target entries, the
// command line); this file is the one place that maps codes to datums. It
// lives with the survey formats, whose header files name the datum, so that
// every layer from the data-set reader up uses the one type.

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace ft::formats {

enum class Datum {
    Japanese, // 日本測地系, code 1
    World,    // 世界測地系, code 2
};

inline constexpr std::array<Datum, 2> kDatums{Datum::Japanese, Datum::World};

constexpr int datumCode(Datum datum)
{
    return datum == Datum::Japanese ? 1 : 2;
}

// Code 1 is the Japanese datum; any other code reads as the world datum, as
// the settings file and the header files have always been read.
constexpr Datum datumFromCode(long long code)
{
    return code == 1 ? Datum::Japanese : Datum::World;
}

// The same rule for a code held as text ("1", "2", ...).
constexpr Datum datumFromCode(std::string_view code)
{
    return datumFromCode(code == "1" ? 1 : 2);
}

// The datum a header's code names: 1 or 2, nothing for any other code.
constexpr std::optional<Datum> datumNamedBy(long long code)
{
    if (code != 1 && code != 2)
        return std::nullopt;
    return datumFromCode(code);
}

constexpr Datum otherDatum(Datum datum)
{
    return datum == Datum::Japanese ? Datum::World : Datum::Japanese;
}

// One value per datum, indexed by the datum.
template <typename T> class PerDatum {
public:
    T& operator[](Datum datum) { return m_values[index(datum)]; }
    const T& operator[](Datum datum) const { return m_values[index(datum)]; }

private:
    static constexpr std::size_t index(Datum datum) { return datum == Datum::Japanese ? 0 : 1; }
    std::array<T, 2> m_values{};
};

} // namespace ft::formats
