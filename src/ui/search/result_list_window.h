#pragma once

#include "core/search/result_layout.h"
#include "core/workspace/datum.h"

#include <QDialog>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

class QAction;
class QFrame;
class QLabel;
class QStatusBar;

namespace ft::catalogue {
class CatalogueDatabase;
}
namespace ft::platform {
class Operator;
}
namespace ft::widgets {
class TskButton;
}

namespace ft::formats {
class RequestWriter;
}

namespace ft::search {

class ResultListModel;
class ResultListView;

// What a result window uses of the program: the operator for its messages
// and the current datum with its catalogue, asked for at each showing (the
// windows live for the whole run, the current datum changes).
struct ResultWindowServices {
    platform::Operator& op;
    std::function<catalogue::CatalogueDatabase&()> currentCatalogue;
    std::function<workspace::Datum()> currentDatum;
};

// What a click on a column heading does.
enum class HeadingClicks { NotClickable, NoEffect, Sort };

// The family design of the four result windows: a fixed dialog with Panel1
// and its four buttons across the top (閉じる, 全未選択, 全選択, 図面表示),
// ListView1 below, and StatusBar1 at the bottom, which tells how many rows
// the list holds and how many of them are ticked. The caller stores
// the statement with SetQuery, then ShowModal loads the rows and shows the
// window until 図面表示 (OK, the request is written) or 閉じる / the title
// bar's close button (Cancel).
class ResultListWindow : public QDialog {
    Q_OBJECT
public:
    ~ResultListWindow() override;

    const ResultLayout& layout() const { return m_layout; }
    const std::string& QueryText() const { return m_queryText; }
    const std::filesystem::path& RequestFolder() const { return m_requestFolder; }

    // Loads the rows of the stored statement (FormShow) and shows the window
    // modally, centred on the screen. True when it closed with OK. When the
    // rows cannot be loaded the error is thrown and nothing is shown.
    bool ShowModal();

    // The window keeps row keys of the catalogue as its search found it.
    // After the catalogue changed (a registration or delete-all, by any
    // program) the same keys may name other drawings' rows: the operator
    // is told to search again, and true is returned; the window stays open.
    bool refuseWhenCatalogueChanged();

    // The buttons, named as the design names them.
    void showTickedDrawings();  // 図面表示: write the request, close with OK
    void closeWithoutShowing(); // 閉じる: close with Cancel
    void untickAll();           // 全未選択
    void tickAll();             // 全選択

    ResultListView* listView() const { return m_listView; }
    ResultListModel* listModel() const { return m_model; }
    // "1,234件中 1,200件を選択", as StatusBar1 shows it.
    QString countText() const;
    widgets::TskButton* button(int number) const;

protected:
    ResultListWindow(ResultKind kind, const char* objectName, HeadingClicks headingClicks,
                     ResultWindowServices services, QWidget* parent);

    void storeQuery(std::string queryText, std::filesystem::path requestFolder);
    // Shows the model in ListView1 with the layout's column widths.
    void attachModel(ResultListModel* model);
    catalogue::CatalogueDatabase& catalogue() const { return m_services.currentCatalogue(); }
    workspace::Datum currentDatum() const { return m_services.currentDatum(); }
    platform::Operator& operatorInterface() const { return m_services.op; }
    // Adds an entry to ListView1's context menu; its command runs as the
    // buttons' do, through the default error report.
    QAction* addListCommand(const QString& text, std::function<void()> command);

    // Empties the row store and fills it from QueryText and the order clause.
    virtual void LoadRows() = 0;
    // Writes the item records of the ticked rows (and their drawings).
    virtual void writeRequest(formats::RequestWriter& out) = 0;
    // A click on a column heading, where headings are clickable.
    virtual void headingClicked(int column);
    // Qt's sort indicator on the heading of the column the list is sorted by,
    // or none (the rows in the order the window lists them).
    void showSortedColumn(int column, bool descending);
    void hideSortedColumn();

private:
    void createControls(HeadingClicks headingClicks);
    void connectButtons();
    void centreOnScreen();
    void showCount();

    const ResultLayout& m_layout;
    ResultWindowServices m_services;
    std::string m_queryText;
    std::filesystem::path m_requestFolder;
    // The catalogue's change counter when the rows were loaded.
    std::optional<std::int64_t> m_changesAtSearch;

    QFrame* m_panel = nullptr;
    widgets::TskButton* m_showButton = nullptr;
    widgets::TskButton* m_closeButton = nullptr;
    widgets::TskButton* m_untickAllButton = nullptr;
    widgets::TskButton* m_tickAllButton = nullptr;
    ResultListView* m_listView = nullptr;
    QStatusBar* m_statusBar = nullptr;
    QLabel* m_count = nullptr;
    ResultListModel* m_model = nullptr;
};

} // namespace ft::search
