#include "viewer/request_list_model.h"

#include "core/platform/operator_message.h"
#include "viewer/problem_texts.h"
#include "viewer/viewer_session.h"

#include <QColor>

namespace ft::viewer {

namespace {

const QColor kGreyedText{128, 128, 128};
// The internal id of a top-level row; a child's is its group's row plus one.
constexpr quintptr kGroupId = 0;

} // namespace

void RequestListModel::reset(const ViewerSession* session)
{
    beginResetModel();
    m_session = session;
    m_groups.clear();
    if (session) {
        const std::size_t drawings = session->drawings().size();
        m_groups.resize(drawings);
        const std::vector<MatchedItem>& items = session->match().items;
        for (std::size_t i = 0; i < items.size(); ++i) {
            const std::optional<std::size_t>& drawing = items[i].drawing;
            const std::size_t group = drawing && *drawing < drawings ? *drawing : drawings;
            if (group == m_groups.size())
                m_groups.emplace_back();
            m_groups[group].push_back(static_cast<std::uint32_t>(i));
        }
    }
    endResetModel();
}

bool RequestListModel::isNotFoundGroup(int row) const
{
    return !m_session || static_cast<std::size_t>(row) >= m_session->drawings().size();
}

QString RequestListModel::groupText(int row) const
{
    if (isNotFoundGroup(row))
        return platform::messageText(QT_TRANSLATE_NOOP("findTavla", "Items not found"));
    const SessionDrawing& drawing = m_session->drawings()[static_cast<std::size_t>(row)];
    return drawing.isOpen()
               ? drawing.name
               : drawing.name + QStringLiteral(" — ") + itemStateText(ItemState::DrawingUnreadable);
}

QString RequestListModel::itemText(int group, int row) const
{
    const MatchedItem& item =
        m_session->match()
            .items[m_groups[static_cast<std::size_t>(group)][static_cast<std::size_t>(row)]];
    const QString reason = itemStateText(item.state);
    const QString label = m_session->itemLabel(item);
    return reason.isEmpty() ? label : label + QStringLiteral(" — ") + reason;
}

bool RequestListModel::isGreyed(const QModelIndex& index) const
{
    if (index.internalId() == kGroupId)
        return !isNotFoundGroup(index.row()) &&
               !m_session->drawings()[static_cast<std::size_t>(index.row())].isOpen();
    const std::size_t group = index.internalId() - 1;
    const MatchedItem& item =
        m_session->match().items[m_groups[group][static_cast<std::size_t>(index.row())]];
    return item.state != ItemState::Shown;
}

std::optional<ListSelection> RequestListModel::selectionAt(const QModelIndex& index) const
{
    if (!index.isValid() || index.model() != this)
        return std::nullopt;
    if (index.internalId() == kGroupId) {
        if (isNotFoundGroup(index.row()))
            return std::nullopt;
        const SessionDrawing& drawing =
            m_session->drawings()[static_cast<std::size_t>(index.row())];
        return ListSelection{{}, drawing.isOpen() ? drawing.scene->framing : MapBox{}};
    }
    const MatchedItem& item =
        m_session->match()
            .items[m_groups[index.internalId() - 1][static_cast<std::size_t>(index.row())]];
    return ListSelection{m_session->match().targetsOf(item), m_session->itemBox(item)};
}

QModelIndex RequestListModel::index(int row, int column, const QModelIndex& parent) const
{
    if (!hasIndex(row, column, parent))
        return {};
    if (!parent.isValid())
        return createIndex(row, column, kGroupId);
    return createIndex(row, column, static_cast<quintptr>(parent.row()) + 1);
}

QModelIndex RequestListModel::parent(const QModelIndex& child) const
{
    if (!child.isValid() || child.internalId() == kGroupId)
        return {};
    return createIndex(static_cast<int>(child.internalId() - 1), 0, kGroupId);
}

int RequestListModel::rowCount(const QModelIndex& parent) const
{
    if (!parent.isValid())
        return static_cast<int>(m_groups.size());
    if (parent.internalId() != kGroupId || parent.column() != 0)
        return 0;
    return static_cast<int>(m_groups[static_cast<std::size_t>(parent.row())].size());
}

int RequestListModel::columnCount(const QModelIndex&) const
{
    return 1;
}

QVariant RequestListModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        if (index.internalId() == kGroupId)
            return role == Qt::ToolTipRole && !isNotFoundGroup(index.row())
                       ? drawingPathText(
                             m_session->drawings()[static_cast<std::size_t>(index.row())])
                       : groupText(index.row());
        return itemText(static_cast<int>(index.internalId() - 1), index.row());
    case Qt::ForegroundRole:
        return isGreyed(index) ? QVariant(kGreyedText) : QVariant();
    default:
        return {};
    }
}

} // namespace ft::viewer
