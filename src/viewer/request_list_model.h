#pragma once

// The side list of requested items as a model: one group per open drawing
// with the items found in it, then the items found nowhere. It keeps four
// bytes per item and makes each entry's text only when the view asks, so a
// request of hundreds of thousands of parcels lists at once; the view
// (a QTreeView) keeps no widget per entry either.

#include "viewer/drawing_scene.h"
#include "viewer/scene_item.h"

#include <QAbstractItemModel>

#include <cstdint>
#include <optional>
#include <vector>

namespace ft::viewer {

class ViewerSession;

// What selecting an entry shows.
struct ListSelection {
    std::vector<SceneItem> targets;
    MapBox box;
};

class RequestListModel : public QAbstractItemModel {
    Q_OBJECT

public:
    using QAbstractItemModel::QAbstractItemModel;

    // Lists the session's drawings and its match afresh; the session must
    // outlive the model or be replaced by another call.
    void reset(const ViewerSession* session);
    // What the entry shows when selected; nothing for the group of items
    // found nowhere.
    std::optional<ListSelection> selectionAt(const QModelIndex& index) const;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    // Whether a top-level row is the group of the items found nowhere (the
    // others are the drawings, by index).
    bool isNotFoundGroup(int row) const;
    QString groupText(int row) const;
    QString itemText(int group, int row) const;
    bool isGreyed(const QModelIndex& index) const;

    const ViewerSession* m_session = nullptr;
    // Per group, the indices of its items in the match, in the match's order.
    std::vector<std::vector<std::uint32_t>> m_groups;
};

} // namespace ft::viewer
