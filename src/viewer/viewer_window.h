#pragma once

// Tavla's window: the drawing in the middle, the requested items and the
// problems in a side panel, a tool bar with the map commands, layers, the
// lot-number box and the paper outputs, and the pointer's survey coordinates
// in the status bar.

#include "viewer/paper_dialog.h"
#include "viewer/request_list_model.h"
#include "viewer/request_matching.h"
#include "viewer/viewer_session.h"

#include <QMainWindow>

#include <filesystem>
#include <optional>
#include <vector>

class QAction;
class QLabel;
class QLineEdit;
class QTabWidget;
class QTreeView;
class QTreeWidget;
class QTreeWidgetItem;

namespace ft::viewer {

class DrawingView;

class ViewerWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit ViewerWindow(QWidget* parent = nullptr);
    ~ViewerWindow() override;

    // Starts from a request file: opens its drawings and shows what it asks.
    void openRequest(const std::filesystem::path& requestFile);
    // Opens data sets by their header files and shows them whole.
    void openHeaders(const std::vector<std::filesystem::path>& headers);
    // Places the window where it was last closed when that is still on a
    // screen, otherwise on the screen under the pointer, and keeps its place
    // in the settings file when it closes.
    void placeOnScreen(const std::filesystem::path& settingsFile);

    const ViewerSession& session() const { return m_session; }
    DrawingView* drawingView() const { return m_view; }
    QTreeView* itemList() const { return m_items; }
    const RequestListModel* itemModel() const { return m_itemModel; }
    QTreeWidget* problemList() const { return m_problems; }

    // Shows the whole of every open drawing; shows what was requested.
    void fitAll();
    void fitRequested();
    // Finds the lot number in the open drawings; a repeated search of the
    // same text goes on to the next parcel.
    void findLot(const QString& text);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createActions();
    void createSidePanel();
    void afterOpening(std::optional<MapBox> fit);
    void rebuildItemList();
    void rebuildProblemList();
    // Reads what the first view left out, once it is on the screen or the
    // problem list is asked for.
    void readOwnerListsLater();
    void readOwnerLists();
    void updateTitle();
    void addSelection(QTreeWidgetItem* entry, ListSelection selection);
    void showEntry(QTreeWidgetItem* entry);
    void showTargets(const std::vector<SceneItem>& targets, const MapBox& box);
    void showPointer(QPointF map);
    void chooseHeaders();
    void toPaper(int kind);
    std::optional<std::filesystem::path> askOutputFile(int kind, const QString& purpose);
    void setLayer(bool Layers::*layer, bool on);

    ViewerSession m_session;
    DrawingView* m_view = nullptr;
    QTabWidget* m_sideTabs = nullptr;
    QTreeView* m_items = nullptr;
    RequestListModel* m_itemModel = nullptr;
    QTreeWidget* m_problems = nullptr;
    QLabel* m_banner = nullptr;
    QLabel* m_position = nullptr;
    QLabel* m_under = nullptr;
    QLineEdit* m_lotBox = nullptr;
    // What selecting an entry of the problem list shows.
    std::vector<ListSelection> m_selections;
    QString m_lastLot;
    std::size_t m_nextLot = 0;
    bool m_ownerListsQueued = false;
    PaperChoice m_lastPaper;
    std::filesystem::path m_settingsFile;
};

} // namespace ft::viewer
