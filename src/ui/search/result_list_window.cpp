#include "ui/search/result_list_window.h"

#include "core/catalogue/change_counter.h"
#include "core/formats/request_file.h"
#include "core/platform/operator_message.h"
#include "ui/search/result_list_model.h"
#include "ui/search/result_list_view.h"
#include "ui/widgets/error_report.h"
#include "ui/widgets/system_button.h"
#include "ui/widgets/tsk_button.h"

#include <QAction>
#include <QFrame>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QScreen>
#include <QStatusBar>

#include <optional>

namespace ft::search {
namespace {

constexpr int kPanelHeight = 41;
constexpr int kStatusBarHeight = 19;
constexpr int kButtonTop = 8;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 26;

struct ButtonPlace {
    const char* name;
    const char* caption; // UTF-8
    int left;
};

constexpr ButtonPlace kCloseButton{"skButton2", "閉じる", 8};
constexpr ButtonPlace kUntickAllButton{"skButton3", "全未選択", 160};
constexpr ButtonPlace kTickAllButton{"skButton4", "全選択", 296};
constexpr ButtonPlace kShowButton{"skButton1", "図面表示", 832};

widgets::TskButton* makeButton(QWidget* panel, const ButtonPlace& place)
{
    return widgets::makeSystemButton(panel, QString::fromLatin1(place.name),
                                     QString::fromUtf8(place.caption),
                                     QRect(place.left, kButtonTop, kButtonWidth, kButtonHeight));
}

} // namespace

ResultListWindow::ResultListWindow(ResultKind kind, const char* objectName,
                                   HeadingClicks headingClicks, ResultWindowServices services,
                                   QWidget* parent)
    : QDialog(parent), m_layout(resultLayout(kind)), m_services(std::move(services))
{
    setObjectName(QString::fromLatin1(objectName));
    setWindowTitle(QString::fromUtf8(m_layout.caption.data(),
                                     static_cast<qsizetype>(m_layout.caption.size())));
    // A dialog frame with only the system menu: no minimise, no maximise, no resizing.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFixedSize(m_layout.clientWidth, kResultClientHeight);
    setFont(widgets::japaneseUiFont());
    createControls(headingClicks);
    // Only the parcel list selects whole rows; the others mark the first column.
    m_listView->setFullRowSelection(kind == ResultKind::Parcels);
    connectButtons();
}

ResultListWindow::~ResultListWindow() = default;

void ResultListWindow::createControls(HeadingClicks headingClicks)
{
    const int width = m_layout.clientWidth;
    m_panel = new QFrame(this);
    m_panel->setObjectName(QStringLiteral("Panel1"));
    m_panel->setFrameShape(QFrame::Panel);
    m_panel->setFrameShadow(QFrame::Raised);
    m_panel->setGeometry(0, 0, width, kPanelHeight);
    m_closeButton = makeButton(m_panel, kCloseButton);
    m_untickAllButton = makeButton(m_panel, kUntickAllButton);
    m_tickAllButton = makeButton(m_panel, kTickAllButton);
    m_showButton = makeButton(m_panel, kShowButton);

    m_listView = new ResultListView(this);
    m_listView->setObjectName(QStringLiteral("ListView1"));
    m_listView->setGeometry(0, kPanelHeight, width,
                            kResultClientHeight - kPanelHeight - kStatusBarHeight);
    QHeaderView* heading = m_listView->header();
    heading->setSectionsClickable(headingClicks != HeadingClicks::NotClickable);
    if (headingClicks == HeadingClicks::Sort)
        connect(heading, &QHeaderView::sectionClicked, this, [this](int column) {
            app::runCommand(operatorInterface(), [this, column] { headingClicked(column); });
        });

    m_statusBar = new QStatusBar(this);
    m_statusBar->setObjectName(QStringLiteral("StatusBar1"));
    m_statusBar->setSizeGripEnabled(false);
    m_statusBar->setGeometry(0, kResultClientHeight - kStatusBarHeight, width, kStatusBarHeight);
    m_count = new QLabel(m_statusBar);
    m_count->setObjectName(QStringLiteral("rowCount"));
    m_statusBar->addWidget(m_count);
}

void ResultListWindow::connectButtons()
{
    const auto connectClick = [this](widgets::TskButton* button,
                                     void (ResultListWindow::*handler)()) {
        connect(button, &widgets::TskButton::clicked, this, [this, handler] {
            app::runCommand(operatorInterface(), [this, handler] { (this->*handler)(); });
        });
    };
    connectClick(m_showButton, &ResultListWindow::showTickedDrawings);
    connectClick(m_closeButton, &ResultListWindow::closeWithoutShowing);
    connectClick(m_untickAllButton, &ResultListWindow::untickAll);
    connectClick(m_tickAllButton, &ResultListWindow::tickAll);
}

QAction* ResultListWindow::addListCommand(const QString& text, std::function<void()> command)
{
    auto* action = new QAction(text, m_listView);
    connect(action, &QAction::triggered, this, [this, command = std::move(command)] {
        app::runCommand(operatorInterface(), command);
    });
    m_listView->setContextMenuPolicy(Qt::ActionsContextMenu);
    m_listView->addAction(action);
    return action;
}

widgets::TskButton* ResultListWindow::button(int number) const
{
    switch (number) {
    case 1:
        return m_showButton;
    case 2:
        return m_closeButton;
    case 3:
        return m_untickAllButton;
    case 4:
        return m_tickAllButton;
    default:
        return nullptr;
    }
}

void ResultListWindow::storeQuery(std::string queryText, std::filesystem::path requestFolder)
{
    m_queryText = std::move(queryText);
    m_requestFolder = std::move(requestFolder);
}

void ResultListWindow::attachModel(ResultListModel* model)
{
    m_model = model;
    m_listView->setResultModel(model);
    // Every tick action sends one notice, so the count follows each at once.
    connect(model, &QAbstractItemModel::dataChanged, this, &ResultListWindow::showCount);
    connect(model, &QAbstractItemModel::modelReset, this, &ResultListWindow::showCount);
    connect(model, &QAbstractItemModel::layoutChanged, this, &ResultListWindow::showCount);
    showCount();
    for (std::size_t column = 0; column < m_layout.columns.size(); ++column)
        m_listView->setColumnWidth(static_cast<int>(column), m_layout.columns[column].width);
}

bool ResultListWindow::ShowModal()
{
    // Read before the rows: a change that lands between the two makes the
    // window refuse, never hand over rows of a catalogue it did not see.
    m_changesAtSearch.reset();
    const std::int64_t changes = catalogue::ReadChangeCounter(catalogue());
    LoadRows();
    m_changesAtSearch = changes;
    centreOnScreen();
    m_listView->setFocus();
    return exec() == QDialog::Accepted;
}

void ResultListWindow::centreOnScreen()
{
    const QScreen* screen = parentWidget() != nullptr ? parentWidget()->screen() : nullptr;
    if (screen == nullptr)
        screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return;
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
}

bool ResultListWindow::refuseWhenCatalogueChanged()
{
    if (m_changesAtSearch && *m_changesAtSearch == catalogue::ReadChangeCounter(catalogue()))
        return false;
    operatorInterface().notify(
        platform::Message(QT_TRANSLATE_NOOP("findTavla", "The catalogue has changed since the "
                                                         "search. Search again."))
            .text());
    return true;
}

void ResultListWindow::showTickedDrawings()
{
    if (refuseWhenCatalogueChanged())
        return;
    std::optional<formats::RequestWriter> out;
    try {
        out.emplace(m_requestFolder);
    } catch (const formats::RequestFileError&) {
        operatorInterface().notify(QStringLiteral("中間ファイル作成ができませんでした"));
        return;
    }
    writeRequest(*out);
    out->finish();
    accept();
}

void ResultListWindow::closeWithoutShowing()
{
    reject();
}

void ResultListWindow::untickAll()
{
    m_model->setAllTicked(false);
}

void ResultListWindow::tickAll()
{
    m_model->setAllTicked(true);
}

void ResultListWindow::headingClicked(int)
{
}

QString ResultListWindow::countText() const
{
    const QLocale numbers(QLocale::Japanese, QLocale::Japan);
    return QStringLiteral("%1件中 %2件を選択")
        .arg(numbers.toString(m_model->rowCount()), numbers.toString(m_model->tickedCount()));
}

void ResultListWindow::showCount()
{
    m_count->setText(countText());
}

void ResultListWindow::showSortedColumn(int column, bool descending)
{
    QHeaderView* heading = m_listView->header();
    heading->setSortIndicatorShown(true);
    heading->setSortIndicator(column, descending ? Qt::DescendingOrder : Qt::AscendingOrder);
}

void ResultListWindow::hideSortedColumn()
{
    m_listView->header()->setSortIndicatorShown(false);
}

} // namespace ft::search
