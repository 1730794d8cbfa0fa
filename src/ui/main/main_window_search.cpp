// The main window's four searches and its registered drawing list: each
// builds its statement, hands it to its result window, shows the window and,
// when the window closed with OK after writing the request, starts the viewer.

#include "ui/main/main_window.h"

#include "core/search/request_file.h"
#include "ui/search/result_windows.h"
#include "core/search/search_statements.h"
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
    conditions.oaza = typedText(*c.cOoaza);
    conditions.koaza = typedText(*c.cKoaza);
    conditions.chiban = typedText(*c.cChiban);
    conditions.owner = typedText(*c.eSyoyuSya);
    conditions.ownerKana = typedText(*c.eSyoyuKana);
    return conditions;
}

// cBox1 完全一致, cBox2 先頭一致, cBox3 あいまい: one of them is always chosen.
search::MatchMode parcelMatchMode(const MainWindowControls& c)
{
    if (c.cBox[0]->isChecked())
        return search::MatchMode::Exact;
    if (c.cBox[2]->isChecked())
        return search::MatchMode::Contains;
    return search::MatchMode::Prefix;
}

} // namespace

void TfindTavlaF::createResultWindows()
{
    const search::ResultWindowServices services{
        m_operator,
        [this]() -> catalogue::TSQLiteDatabase& { return m_state->currentCatalogue(); }};
    m_resultWindows.findChiban2F = new search::TfindChiban2F(services, this);
    m_resultWindows.findMap2F = new search::TfindMap2F(services, this);
    m_resultWindows.findTen2F = new search::TfindTen2F(services, this);
    m_resultWindows.allFileListF = new search::TallFileListF(services, this);
}

bool TfindTavlaF::anythingFound(const std::string& statement)
{
    // The whole result is read only to be counted; the window runs the
    // statement again with its order clause.
    if (m_state->currentCatalogue().GetTable(statement).Count() >= 1)
        return true;
    m_operator.notify(QStringLiteral("見つかりません"));
    return false;
}

void TfindTavlaF::showResults(search::ResultListWindow& window)
{
    if (window.ShowModal())
        search::StartViewer(*this, search::viewerArgumentText(m_state->settingsFolder()));
}

void TfindTavlaF::skButton6Click()
{
    const std::string statement =
        search::parcelStatement(parcelConditions(m_controls), parcelMatchMode(m_controls));
    if (!anythingFound(statement))
        return;
    m_overview.drawingsPresent = true;
    m_resultWindows.findChiban2F->SetQuery(statement, m_state->settingsFolder());
    showResults(*m_resultWindows.findChiban2F);
}

void TfindTavlaF::skButton8Click()
{
    const std::string statement = search::mapSheetStatement(typedText(*m_controls.eNMapName));
    if (!anythingFound(statement))
        return;
    m_overview.drawingsPresent = true;
    m_resultWindows.findMap2F->SetQuery(statement, m_state->settingsFolder());
    showResults(*m_resultWindows.findMap2F);
}

void TfindTavlaF::skButton9Click()
{
    const std::string statement = search::boundaryPointStatement(typedText(*m_controls.eFTenName));
    if (!anythingFound(statement))
        return;
    m_resultWindows.findTen2F->SetQuery(search::kBoundaryPointRecord, statement,
                                        m_state->settingsFolder());
    showResults(*m_resultWindows.findTen2F);
}

void TfindTavlaF::skButton10Click()
{
    const std::string statement = search::controlPointStatement(typedText(*m_controls.eZTenName));
    if (!anythingFound(statement))
        return;
    m_resultWindows.findTen2F->SetQuery(search::kControlPointRecord, statement,
                                        m_state->settingsFolder());
    showResults(*m_resultWindows.findTen2F);
}

// 登録図面表示: every registered drawing of the current datum, shown even when
// there is none.
void TfindTavlaF::skButton7Click()
{
    m_resultWindows.allFileListF->SetQuery(search::kRegisteredDrawingRecord,
                                           search::registeredDrawingsStatement(),
                                           m_state->settingsFolder());
    showResults(*m_resultWindows.allFileListF);
}

} // namespace ft::app
