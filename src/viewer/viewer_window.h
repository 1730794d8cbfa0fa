#pragma once

// Tavla's window: the drawing in the middle, the requested items and the
// problems in a side panel, a tool bar with the map commands, layers, the
// lot-number box and the paper outputs, and the pointer's survey coordinates
// in the status bar.

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

    const ViewerSession& session() const { return m_session; }
    DrawingView* drawingView() const { return m_view; }
    QTreeWidget* itemList() const { return m_items; }
    QTreeWidget* problemList() const { return m_problems; }

    // Shows the whole of every open drawing; shows what was requested.
    void fitAll();
    void fitRequested();
    // Finds the lot number in the open drawings; a repeated search of the
    // same text goes on to the next parcel.
    void findLot(const QString& text);

private:
    // What selecting an entry of the side panel shows.
    struct Selection {
        std::vector<SceneItem> targets;
        MapBox box;
    };

    void createActions();
    void createSidePanel();
    void afterOpening(std::optional<MapBox> fit);
    void rebuildItemList();
    void rebuildProblemList();
    void updateTitle();
    void addSelection(QTreeWidgetItem* entry, Selection selection);
    void showEntry(QTreeWidgetItem* entry);
    void showTargets(const std::vector<SceneItem>& targets, const MapBox& box);
    void showPointer(QPointF map);
    void chooseHeaders();
    void toPaper(int kind);
    std::optional<double> askScale(const QString& purpose);
    void setLayer(bool Layers::*layer, bool on);

    ViewerSession m_session;
    DrawingView* m_view = nullptr;
    QTabWidget* m_sideTabs = nullptr;
    QTreeWidget* m_items = nullptr;
    QTreeWidget* m_problems = nullptr;
    QLabel* m_banner = nullptr;
    QLabel* m_position = nullptr;
    QLabel* m_under = nullptr;
    QLineEdit* m_lotBox = nullptr;
    std::vector<Selection> m_selections;
    QString m_lastLot;
    std::size_t m_nextLot = 0;
    double m_lastScale = 500.0;
};

} // namespace ft::viewer
