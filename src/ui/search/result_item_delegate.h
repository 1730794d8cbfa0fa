#pragma once

#include <QPixmap>
#include <QStyledItemDelegate>

#include <array>

namespace ft::search {

// Paints the rows of a result list. The first column shows the row's tick as
// a state image before its text: ImageList1, two 16 × 16 pictures, 0 an empty
// check box and 1 a ticked one, drawn the same in selected and unselected
// rows. Without full-row selection only the first column of a selected row
// shows as selected, as in a report list that marks its items only.
class ResultItemDelegate final : public QStyledItemDelegate {
public:
    explicit ResultItemDelegate(QObject* parent = nullptr);

    void setFullRowSelection(bool fullRow) { m_fullRowSelection = fullRow; }

    // Where the state image of the item in `option.rect` lies.
    QRect stateImageRect(const QStyleOptionViewItem& option, const QModelIndex& index) const;

    static constexpr int kStateImageSize = 16;
    // The picture of ImageList1 for a tick.
    const QPixmap& stateImage(bool ticked) const { return m_stateImages[ticked ? 1 : 0]; }

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

private:
    bool m_fullRowSelection = false;
    std::array<QPixmap, 2> m_stateImages;
};

} // namespace ft::search
