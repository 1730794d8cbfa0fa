#pragma once

// The request file's drawing records for drawings known by their number in
// the catalogue: the two look-ups the request format itself (core/formats)
// has no catalogue for.

#include <string>

namespace ft::catalogue {
class CatalogueDatabase;
}
namespace ft::formats {
class RequestWriter;
}

namespace ft::search {

// The registered path (PATH of the FILE row, UTF-8) of drawing `fileNo`, read
// with "SELECT * FROM FILE WHERE FILENO=<n>". A number without a FILE row
// raises the access layer's "Field PATH Not found. Empty dataset".
std::string drawingPath(catalogue::CatalogueDatabase& db, int fileNo);

// Looks the drawing's path up (drawingPath) and writes its record 0.
void writeDrawing(formats::RequestWriter& out, catalogue::CatalogueDatabase& db, int fileNo);

} // namespace ft::search
