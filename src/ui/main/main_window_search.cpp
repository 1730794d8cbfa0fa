// The main window's four searches and its registered drawing list: each
// builds its statement, hands it to its result window, shows the window and,
// when the window closed with OK after writing the request, starts the viewer.

#include "ui/main/main_window.h"

#include "core/search/request_file.h"
#include "core/search/search_statements.h"
#include "ui/search/result_windows.h"
#include "ui/search/viewer_start.h"

namespace ft::app {
namespace {

// Typed text as it stands (no trimming, no folding), in UTF-8 like the catalogue.
std::string typedText(const QComboBox& field)
{
    return field.currentText().toStdString();
}

std::string typedText(const QLineEdit& field)
{
    return field.text().toStdString();
}

search::ParcelConditions parcelConditions(const MainWindowControls& c)
{
    search::ParcelConditions conditions;
    conditions.oaza = typedText(*c.oazaField);
    conditions.koaza = typedText(*c.koazaField);
    conditions.chiban = typedText(*c.lotNumberField);
    conditions.owner = typedText(*c.ownerField);
    conditions.ownerKana = typedText(*c.ownerKanaField);
    return conditions;
}

// cBox1 完全一致, cBox2 先頭一致, cBox3 あいまい: one of them is always chosen.
search::MatchMode parcelMatchMode(const MainWindowControls& c)
{
    if (c.parcelModes[0]->isChecked())
        return search::MatchMode::Exact;
    if (c.parcelModes[2]->isChecked())
        return search::MatchMode::Contains;
    return search::MatchMode::Prefix;
}

} // namespace

void MainWindow::createResultWindows()
{
    const search::ResultWindowServices services{
        m_operator,
        [this]() -> catalogue::TSQLiteDatabase& { return m_state->currentCatalogue(); }};
    m_resultWindows.parcelResults = new search::ParcelResultWindow(services, this);
    m_resultWindows.mapSheetResults = new search::MapSheetResultWindow(services, this);
    m_resultWindows.pointResults = new search::PointResultWindow(services, this);
    m_resultWindows.drawingList = new search::DrawingListWindow(services, this);
}

bool MainWindow::anythingFound(const std::string& statement)
{
    // Only whether there is a first row matters; the window runs the
    // statement again with its order clause.
    if (m_state->currentCatalogue().HasRows(statement))
        return true;
    m_operator.notify(QStringLiteral("見つかりません"));
    return false;
}

void MainWindow::showResults(search::ResultListWindow& window)
{
    if (window.ShowModal())
        search::StartViewer(*this, search::viewerArgumentText(m_state->settingsFolder()));
}

void MainWindow::searchParcels()
{
    const std::string statement =
        search::parcelStatement(parcelConditions(m_controls), parcelMatchMode(m_controls));
    if (!anythingFound(statement))
        return;
    m_overview.drawingsPresent = true;
    m_resultWindows.parcelResults->SetQuery(statement, m_state->settingsFolder());
    showResults(*m_resultWindows.parcelResults);
}

void MainWindow::searchMapSheets()
{
    const std::string statement = search::mapSheetStatement(typedText(*m_controls.mapSheetField));
    if (!anythingFound(statement))
        return;
    m_overview.drawingsPresent = true;
    m_resultWindows.mapSheetResults->SetQuery(statement, m_state->settingsFolder());
    showResults(*m_resultWindows.mapSheetResults);
}

void MainWindow::searchBoundaryPoints()
{
    const std::string statement =
        search::boundaryPointStatement(typedText(*m_controls.boundaryPointField));
    if (!anythingFound(statement))
        return;
    m_resultWindows.pointResults->SetQuery(search::kBoundaryPointRecord, statement,
                                           m_state->settingsFolder());
    showResults(*m_resultWindows.pointResults);
}

void MainWindow::searchControlPoints()
{
    const std::string statement =
        search::controlPointStatement(typedText(*m_controls.controlPointField));
    if (!anythingFound(statement))
        return;
    m_resultWindows.pointResults->SetQuery(search::kControlPointRecord, statement,
                                           m_state->settingsFolder());
    showResults(*m_resultWindows.pointResults);
}

// 登録図面表示: every registered drawing of the current datum, shown even when
// there is none.
void MainWindow::listRegisteredDrawings()
{
    m_resultWindows.drawingList->SetQuery(search::kRegisteredDrawingRecord,
                                          search::registeredDrawingsStatement(),
                                          m_state->settingsFolder());
    showResults(*m_resultWindows.drawingList);
}

} // namespace ft::app
