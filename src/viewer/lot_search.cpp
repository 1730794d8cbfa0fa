#include "viewer/lot_search.h"

#include "core/dataset/data_set_links.h"
#include "core/platform/cp932.h"
#include "viewer/screen_text.h"
#include "viewer/viewer_session.h"

#include <QStringList>

namespace ft::viewer {

std::vector<LotMatch> findLots(const ViewerSession& session, const QString& text)
{
    std::string wanted;
    try {
        wanted = dataset::foldedLot(platform::utf8ToCp932(text.trimmed().toStdString()));
    } catch (const platform::EncodingError&) {
        return {};
    }
    std::vector<LotMatch> found;
    if (wanted.empty())
        return found;
    const std::vector<SessionDrawing>& drawings = session.drawings();
    for (std::size_t d = 0; d < drawings.size(); ++d) {
        if (!drawings[d].isOpen())
            continue;
        const DrawingRecords& records = *drawings[d].records;
        for (std::size_t p = 0; p < records.parcels.size(); ++p) {
            const std::string lot = dataset::foldedLot(records.parcels.lot[p]);
            if (lot != wanted)
                continue;
            LotMatch match;
            const std::span<const std::uint32_t> outlines = records.outlinesOf(p);
            match.hasOutline = !outlines.empty();
            if (match.hasOutline)
                match.outline = {d, SceneItem::Kind::Outline, outlines.front()};
            QStringList parts{screenText(records.parcels.oaza[p]).trimmed(),
                              screenText(records.parcels.koaza[p]).trimmed(), screenText(lot)};
            parts.removeAll(QString());
            match.description =
                parts.join(QLatin1Char(' ')) + QStringLiteral("（%1）").arg(drawings[d].name);
            found.push_back(std::move(match));
        }
    }
    return found;
}

} // namespace ft::viewer
