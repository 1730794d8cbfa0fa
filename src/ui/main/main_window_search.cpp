// The main window's four searches and its registered drawing list: each
// builds its statement, hands it to its result window, shows the window and,
// when the window closed with OK after writing the request, starts the viewer.

#include "ui/main/main_window.h"

#include "core/formats/request_file.h"
#include "core/search/registered_names.h"
#include "core/search/search_statements.h"
#include "ui/search/result_windows.h"
#include "ui/search/viewer_start.h"
#include "ui/widgets/error_report.h"

namespace ft::app {
namespace {

// Typed text in UTF-8 like the catalogue; the statements make it the text a
// search compares (search_text.h).
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

// 完全一致, 先頭一致, あいまい of one search group: one of them is always chosen.
search::MatchMode matchMode(const std::array<QRadioButton*, 3>& modes)
{
    if (modes[0]->isChecked())
        return search::MatchMode::Exact;
    if (modes[2]->isChecked())
        return search::MatchMode::Contains;
    return search::MatchMode::Prefix;
}

QStringList screenTexts(const std::vector<std::string>& utf8Texts)
{
    QStringList texts;
    texts.reserve(static_cast<qsizetype>(utf8Texts.size()));
    for (const std::string& text : utf8Texts)
        texts << QString::fromStdString(text);
    return texts;
}

} // namespace

// The oaza and koaza lists offer the names registered in the current datum
// when they are opened. A catalogue that cannot be read is reported and the
// list stays empty.
void MainWindow::connectNameLists()
{
    m_controls.oazaField->setSource([this] {
        QStringList names;
        runCommand(m_operator, [&] {
            names = screenTexts(search::registeredOazaNames(m_state->currentCatalogue()));
        });
        return names;
    });
    m_controls.koazaField->setSource([this] {
        QStringList names;
        runCommand(m_operator, [&] {
            names = screenTexts(search::registeredKoazaNames(m_state->currentCatalogue(),
                                                             typedText(*m_controls.oazaField)));
        });
        return names;
    });
}

void MainWindow::createResultWindows()
{
    const search::ResultWindowServices services{
        m_operator,
        [this]() -> catalogue::CatalogueDatabase& { return m_state->currentCatalogue(); },
        [this] { return m_state->currentDatum(); }};
    m_resultWindows.parcelResults = new search::ParcelResultWindow(services, this);
    m_resultWindows.mapSheetResults = new search::MapSheetResultWindow(services, this);
    m_resultWindows.pointResults = new search::PointResultWindow(services, this);
    m_resultWindows.drawingList = new search::DrawingListWindow(services, this);
}

bool MainWindow::anythingFound(const std::string& statement)
{
    // Only the first row is looked for; the window runs the statement again
    // with its order clause.
    if (m_state->currentCatalogue().HasRows(statement))
        return true;
    m_operator.notify(QStringLiteral("見つかりません"));
    return false;
}

void MainWindow::showResults(search::ResultListWindow& window)
{
    if (window.ShowModal())
        search::StartViewer(*this, m_operator,
                            formats::viewerArgumentText(m_state->settingsFolder()));
}

void MainWindow::searchParcels()
{
    const std::string statement =
        search::parcelStatement(parcelConditions(m_controls), matchMode(m_controls.parcelModes));
    if (!anythingFound(statement))
        return;
    m_overview.drawingsPresent = true;
    m_resultWindows.parcelResults->SetQuery(statement, m_state->settingsFolder());
    showResults(*m_resultWindows.parcelResults);
}

void MainWindow::searchMapSheets()
{
    const std::string statement = search::mapSheetStatement(typedText(*m_controls.mapSheetField),
                                                            matchMode(m_controls.mapSheetModes));
    if (!anythingFound(statement))
        return;
    m_overview.drawingsPresent = true;
    m_resultWindows.mapSheetResults->SetQuery(statement, m_state->settingsFolder());
    showResults(*m_resultWindows.mapSheetResults);
}

void MainWindow::searchBoundaryPoints()
{
    const std::string statement = search::boundaryPointStatement(
        typedText(*m_controls.boundaryPointField), matchMode(m_controls.boundaryPointModes));
    if (!anythingFound(statement))
        return;
    m_resultWindows.pointResults->SetQuery(formats::kBoundaryPointRecord, statement,
                                           m_state->settingsFolder());
    showResults(*m_resultWindows.pointResults);
}

void MainWindow::searchControlPoints()
{
    const std::string statement = search::controlPointStatement(
        typedText(*m_controls.controlPointField), matchMode(m_controls.controlPointModes));
    if (!anythingFound(statement))
        return;
    m_resultWindows.pointResults->SetQuery(formats::kControlPointRecord, statement,
                                           m_state->settingsFolder());
    showResults(*m_resultWindows.pointResults);
}

// 登録図面表示: every registered drawing of the current datum, shown even when
// there is none.
void MainWindow::listRegisteredDrawings()
{
    m_resultWindows.drawingList->SetQuery(formats::kRegisteredDrawingRecord,
                                          search::registeredDrawingsStatement(),
                                          m_state->settingsFolder());
    showResults(*m_resultWindows.drawingList);
}

} // namespace ft::app
