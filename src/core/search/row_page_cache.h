#pragma once

#include "core/search/result_rows.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace ft::search {

// The texts of a result list, read a page of rows at a time when the list
// shows them and kept for the last few pages, so that scrolling reads each
// page once and a list of every parcel costs the memory of a few pages.
// The keys say which rows; a page is read from the catalogue and table the
// keys were listed from.
template <class Row> class RowPageCache {
public:
    static constexpr int kPageRows = 128;
    static constexpr std::size_t kKeptPages = 16;

    // The row at `index` of the list, nullopt when it is gone from the
    // catalogue. Throws what ReadRowsById throws; a page that failed is not
    // kept, so it is read again next time.
    const std::optional<Row>& row(const ResultRowKeys<Row>& rows, int index)
    {
        const int number = index / kPageRows;
        Page& page = pageNumbered(rows, number);
        page.lastUse = ++m_clock;
        return page.rows.at(static_cast<std::size_t>(index - number * kPageRows));
    }

    // Forgets every page: the keys were reloaded or reordered.
    void clear() { m_pages.clear(); }

private:
    struct Page {
        int number = 0;
        std::vector<std::optional<Row>> rows;
        std::uint64_t lastUse = 0;
    };

    Page& pageNumbered(const ResultRowKeys<Row>& rows, int number)
    {
        for (Page& page : m_pages) {
            if (page.number == number)
                return page;
        }
        const int first = number * kPageRows;
        const int count = std::min(kPageRows, rows.keys.size() - first);
        const std::span<const typename Row::Key> keys(&rows.keys.item(first),
                                                      static_cast<std::size_t>(count));
        Page page{number, ReadRowsById<Row>(*rows.catalogue, rows.table, keys), 0};
        if (m_pages.size() < kKeptPages) {
            m_pages.push_back(std::move(page));
            return m_pages.back();
        }
        Page& oldest =
            *std::min_element(m_pages.begin(), m_pages.end(),
                              [](const Page& a, const Page& b) { return a.lastUse < b.lastUse; });
        oldest = std::move(page);
        return oldest;
    }

    std::vector<Page> m_pages;
    std::uint64_t m_clock = 0;
};

} // namespace ft::search
