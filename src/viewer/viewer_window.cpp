#include "viewer/viewer_window.h"

#include "core/platform/operator_message.h"
#include "core/platform/path_text.h"
#include "viewer/drawing_view.h"
#include "viewer/lot_search.h"
#include "viewer/paper_dialog.h"
#include "viewer/paper_output.h"
#include "viewer/paper_sheets.h"
#include "viewer/problem_texts.h"
#include "viewer/request_list_model.h"
#include "viewer/window_placement.h"

#include <QAction>
#include <QCloseEvent>
#include <QCursor>
#include <QDate>
#include <QDockWidget>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QTreeView>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace ft::viewer {

namespace {

enum PaperKind { kPrint, kPdf, kPng };

// The side list opens its groups while they hold no more entries than this.
constexpr int kMaxOpenEntries = 5000;

constexpr int kSelectionRole = Qt::UserRole + 1;

} // namespace

ViewerWindow::ViewerWindow(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("TavlaWindow"));
    resize(kDefaultWindowSize);

    auto* centre = new QWidget(this);
    auto* layout = new QVBoxLayout(centre);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_banner = new QLabel(centre);
    m_banner->setObjectName(QStringLiteral("problemBanner"));
    m_banner->setStyleSheet(
        QStringLiteral("background: #fff3c4; color: #5a4000; padding: 4px; border-bottom: 1px "
                       "solid #d8c27a;"));
    m_banner->setWordWrap(true);
    m_banner->hide();
    m_view = new DrawingView(centre);
    m_view->setSession(&m_session);
    layout->addWidget(m_banner);
    layout->addWidget(m_view, 1);
    setCentralWidget(centre);

    createSidePanel();
    createActions();

    m_position = new QLabel(this);
    m_position->setObjectName(QStringLiteral("pointerPosition"));
    m_under = new QLabel(this);
    m_under->setObjectName(QStringLiteral("pointerDrawing"));
    statusBar()->addPermanentWidget(m_under);
    statusBar()->addPermanentWidget(m_position);
    connect(m_view, &DrawingView::pointerMoved, this, &ViewerWindow::showPointer);
    connect(m_view, &DrawingView::painted, this, &ViewerWindow::readOwnerListsLater);
    connect(m_view, &DrawingView::pointerLeft, this, [this] {
        m_position->clear();
        m_under->clear();
    });
    updateTitle();
}

ViewerWindow::~ViewerWindow() = default;

void ViewerWindow::createSidePanel()
{
    m_sideTabs = new QTabWidget(this);
    m_items = new QTreeView(m_sideTabs);
    m_items->setObjectName(QStringLiteral("requestItems"));
    m_items->setHeaderHidden(true);
    m_items->setUniformRowHeights(true);
    m_itemModel = new RequestListModel(m_items);
    m_items->setModel(m_itemModel);
    m_problems = new QTreeWidget(m_sideTabs);
    m_problems->setObjectName(QStringLiteral("problems"));
    m_problems->setHeaderHidden(true);
    m_sideTabs->addTab(m_items, QStringLiteral("表示項目"));
    m_sideTabs->addTab(m_problems, QStringLiteral("問題"));
    for (QTreeView* list : std::initializer_list<QTreeView*>{m_items, m_problems}) {
        // Long entries scroll sideways rather than lose their ends.
        list->setTextElideMode(Qt::ElideNone);
        list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
        list->header()->setStretchLastSection(false);
    }
    connect(m_items->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (const std::optional<ListSelection> selection =
                        m_itemModel->selectionAt(current))
                    showTargets(selection->targets, selection->box);
            });
    connect(m_problems, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* entry) { showEntry(entry); });
    connect(m_sideTabs, &QTabWidget::currentChanged, this, [this](int tab) {
        if (m_sideTabs->widget(tab) == m_problems)
            readOwnerLists();
    });

    auto* dock = new QDockWidget(QStringLiteral("図面と依頼"), this);
    dock->setObjectName(QStringLiteral("sidePanel"));
    dock->setFeatures(QDockWidget::DockWidgetMovable);
    dock->setWidget(m_sideTabs);
    addDockWidget(Qt::LeftDockWidgetArea, dock);
    resizeDocks({dock}, {300}, Qt::Horizontal);
}

void ViewerWindow::createActions()
{
    QMenu* fileMenu = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    QMenu* viewMenu = menuBar()->addMenu(QStringLiteral("表示(&V)"));
    QToolBar* tools = addToolBar(QStringLiteral("操作"));
    tools->setObjectName(QStringLiteral("tools"));
    tools->setMovable(false);

    const auto action = [this](const QString& text, QKeySequence key, auto slot) {
        auto* created = new QAction(text, this);
        created->setShortcut(key);
        connect(created, &QAction::triggered, this, slot);
        return created;
    };
    QAction* open =
        action(QStringLiteral("開く…"), QKeySequence::Open, [this] { chooseHeaders(); });
    QAction* print =
        action(QStringLiteral("印刷…"), QKeySequence::Print, [this] { toPaper(kPrint); });
    QAction* pdf = action(QStringLiteral("PDF 出力…"), QKeySequence(), [this] { toPaper(kPdf); });
    QAction* png = action(QStringLiteral("PNG 出力…"), QKeySequence(), [this] { toPaper(kPng); });
    QAction* quit = action(QStringLiteral("終了"), QKeySequence::Quit, [this] { close(); });
    QAction* all =
        action(QStringLiteral("全体表示"), QKeySequence(Qt::Key_Home), [this] { fitAll(); });
    QAction* requested =
        action(QStringLiteral("依頼範囲"), QKeySequence(Qt::Key_End), [this] { fitRequested(); });
    QAction* zoomIn = action(QStringLiteral("拡大"), QKeySequence(),
                             [this] { m_view->zoomBy(DrawingView::kZoomStep); });
    QAction* zoomOut = action(QStringLiteral("縮小"), QKeySequence(),
                              [this] { m_view->zoomBy(1.0 / DrawingView::kZoomStep); });
    fileMenu->addActions({open, print, pdf, png});
    fileMenu->addSeparator();
    fileMenu->addAction(quit);
    viewMenu->addActions({all, requested, zoomIn, zoomOut});
    viewMenu->addSeparator();
    tools->addActions({open, all, requested, zoomIn, zoomOut});

    QMenu* layerMenu = viewMenu->addMenu(QStringLiteral("レイヤー"));
    const std::pair<QString, bool Layers::*> layers[] = {
        {QStringLiteral("筆界（輪郭）"), &Layers::outlines},
        {QStringLiteral("地番"), &Layers::lotNumbers},
        {QStringLiteral("筆界点"), &Layers::boundaryPoints},
        {QStringLiteral("点名"), &Layers::pointNames},
        {QStringLiteral("図根点"), &Layers::controlPoints},
        {QStringLiteral("図葉"), &Layers::mapSheets},
        {QStringLiteral("図郭"), &Layers::frames},
    };
    for (const auto& [text, member] : layers) {
        auto* toggle = new QAction(text, this);
        toggle->setCheckable(true);
        toggle->setChecked(m_view->layers().*member);
        connect(toggle, &QAction::toggled, this,
                [this, member = member](bool on) { setLayer(member, on); });
        layerMenu->addAction(toggle);
    }
    QAction* layerButton = tools->addAction(QStringLiteral("レイヤー"));
    layerButton->setMenu(layerMenu);
    connect(layerButton, &QAction::triggered, this, [layerMenu, tools, layerButton] {
        layerMenu->popup(
            tools->mapToGlobal(tools->widgetForAction(layerButton)->geometry().bottomLeft()));
    });

    tools->addSeparator();
    tools->addWidget(new QLabel(QStringLiteral(" 地番 "), tools));
    m_lotBox = new QLineEdit(tools);
    m_lotBox->setObjectName(QStringLiteral("lotNumberBox"));
    m_lotBox->setPlaceholderText(QStringLiteral("例 101-2"));
    m_lotBox->setMaximumWidth(140);
    tools->addWidget(m_lotBox);
    connect(m_lotBox, &QLineEdit::returnPressed, this, [this] { findLot(m_lotBox->text()); });
    tools->addAction(
        action(QStringLiteral("地番検索"), QKeySequence(), [this] { findLot(m_lotBox->text()); }));
    tools->addSeparator();
    tools->addActions({print, pdf, png});
}

void ViewerWindow::setLayer(bool Layers::*layer, bool on)
{
    Layers layers = m_view->layers();
    layers.*layer = on;
    m_view->setLayers(layers);
}

void ViewerWindow::openRequest(const std::filesystem::path& requestFile)
{
    m_session.openRequest(requestFile);
    afterOpening(m_session.match().firstView);
}

void ViewerWindow::openHeaders(const std::vector<std::filesystem::path>& headers)
{
    const std::vector<std::size_t> added = m_session.openHeaders(headers);
    MapBox box;
    for (const std::size_t i : added)
        if (m_session.drawings()[i].isOpen())
            box.widen(m_session.drawings()[i].scene->framing);
    afterOpening(box.isEmpty() ? m_session.framing() : box);
}

void ViewerWindow::afterOpening(std::optional<MapBox> fit)
{
    m_view->setFocusItem(std::nullopt);
    rebuildItemList();
    rebuildProblemList();
    updateTitle();
    if (fit)
        m_view->fitBox(*fit);
    m_view->update();
}

void ViewerWindow::addSelection(QTreeWidgetItem* entry, ListSelection selection)
{
    entry->setData(0, kSelectionRole, static_cast<qulonglong>(m_selections.size()));
    m_selections.push_back(std::move(selection));
}

void ViewerWindow::rebuildItemList()
{
    m_itemModel->reset(&m_session);
    // The groups open when their entries are few enough to read. Qt's tree
    // takes minutes to lay out hundreds of thousands of open entries; closed,
    // it lists the drawings at once, and one opened lists its items at once.
    int entries = 0;
    for (int group = 0; group < m_itemModel->rowCount(); ++group)
        entries += m_itemModel->rowCount(m_itemModel->index(group, 0));
    if (entries <= kMaxOpenEntries)
        m_items->expandAll();
}

void ViewerWindow::rebuildProblemList()
{
    m_problems->clear();
    m_selections.clear();
    std::size_t count = 0;
    if (!m_session.requestProblems().empty()) {
        auto* group = new QTreeWidgetItem(m_problems);
        group->setText(0, QStringLiteral("表示依頼ファイル"));
        group->setExpanded(true);
        for (const QString& text : m_session.requestProblems()) {
            auto* entry = new QTreeWidgetItem(group);
            entry->setText(0, text);
            entry->setToolTip(0, text);
            ++count;
        }
    }
    const std::vector<SessionDrawing>& drawings = m_session.drawings();
    for (std::size_t d = 0; d < drawings.size(); ++d) {
        const std::vector<ListedProblem> problems = drawingProblems(drawings[d], d);
        if (problems.empty())
            continue;
        auto* group = new QTreeWidgetItem(m_problems);
        group->setText(0, drawings[d].name);
        group->setToolTip(0, drawingPathText(drawings[d]));
        group->setExpanded(true);
        for (const ListedProblem& problem : problems) {
            auto* entry = new QTreeWidgetItem(group);
            entry->setText(0, problem.text);
            entry->setToolTip(0, problem.text);
            if (problem.target) {
                const std::vector<SceneItem> targets{*problem.target};
                addSelection(entry, {targets, boxOf(targets, m_session.openDrawings())});
            }
            ++count;
        }
    }
    m_sideTabs->setTabText(1, count == 0 ? QStringLiteral("問題")
                                         : QStringLiteral("問題 (%1)").arg(count));
    std::size_t missing = 0;
    for (const MatchedItem& item : m_session.match().items)
        missing += item.state == ItemState::Shown ? 0 : 1;
    QStringList said;
    if (count > 0)
        said << platform::messageText(
            QT_TRANSLATE_NOOP("findTavla", "%1 things could not be read (the 問題 tab)"),
            {QString::number(count)});
    if (missing > 0)
        said << platform::messageText(
            QT_TRANSLATE_NOOP("findTavla", "%1 requested items cannot be shown (the grey items)"),
            {QString::number(missing)});
    m_banner->setText(said.join(platform::messageText(QT_TRANSLATE_NOOP("findTavla", ". "))));
    m_banner->setVisible(!said.isEmpty());
}

void ViewerWindow::readOwnerListsLater()
{
    // Queued behind the painting, so that the picture reaches the screen
    // before the reading holds the window.
    if (m_ownerListsQueued || !m_session.hasOwnerListsToRead())
        return;
    m_ownerListsQueued = true;
    QTimer::singleShot(0, this, [this] { readOwnerLists(); });
}

void ViewerWindow::readOwnerLists()
{
    m_ownerListsQueued = false;
    if (m_session.readOwnerLists())
        rebuildProblemList();
}

void ViewerWindow::updateTitle()
{
    QStringList names;
    for (const SessionDrawing& drawing : m_session.drawings())
        names << drawing.name;
    setWindowTitle(names.isEmpty() ? QStringLiteral("Tavla")
                                   : QStringLiteral("Tavla — ") + names.join(QStringLiteral(", ")));
}

void ViewerWindow::showEntry(QTreeWidgetItem* entry)
{
    if (!entry)
        return;
    const QVariant key = entry->data(0, kSelectionRole);
    if (!key.isValid() || key.toULongLong() >= m_selections.size())
        return;
    const ListSelection& selection = m_selections[key.toULongLong()];
    showTargets(selection.targets, selection.box);
}

void ViewerWindow::showTargets(const std::vector<SceneItem>& targets, const MapBox& box)
{
    m_view->setFocusItem(targets.empty() ? std::nullopt
                                         : std::optional<SceneItem>(targets.front()));
    m_view->fitBox(box);
}

void ViewerWindow::fitAll()
{
    m_view->fitBox(m_session.framing());
}

void ViewerWindow::fitRequested()
{
    m_view->fitBox(m_session.match().firstView);
}

void ViewerWindow::findLot(const QString& text)
{
    const std::vector<LotMatch> found = findLots(m_session, text);
    if (found.empty()) {
        statusBar()->showMessage(platform::messageText(
            QT_TRANSLATE_NOOP("findTavla", "Lot %1 is not in the open drawings"),
            {text.trimmed()}));
        return;
    }
    if (text != m_lastLot)
        m_nextLot = 0;
    m_lastLot = text;
    const LotMatch& match = found[m_nextLot % found.size()];
    QString description = match.description;
    if (!match.hasOutline)
        description += QStringLiteral(" — ") + itemStateText(ItemState::NoOutline);
    statusBar()->showMessage(
        platform::messageText(QT_TRANSLATE_NOOP("findTavla", "Lot %1: %3 of %2 %4"),
                              {text.trimmed(), QString::number(found.size()),
                               QString::number(m_nextLot % found.size() + 1), description}));
    ++m_nextLot;
    if (match.hasOutline)
        showTargets({match.outline}, boxOf({match.outline}, m_session.openDrawings()));
}

void ViewerWindow::showPointer(QPointF map)
{
    // Survey X is the vertical value (northing), Y the horizontal one.
    m_position->setText(
        QStringLiteral("X %1 m　Y %2 m").arg(map.y(), 0, 'f', 3).arg(map.x(), 0, 'f', 3));
    QString under;
    for (const SessionDrawing& drawing : m_session.drawings()) {
        if (!drawing.isOpen() || !drawing.scene->bounds.contains(map))
            continue;
        under = QStringLiteral("図面 ") + drawing.name;
        if (const std::optional<std::size_t> outline = drawing.scene->outlineAt(map))
            under += QStringLiteral("　地番 ") + drawing.scene->outlineLabel(*outline);
        break;
    }
    m_under->setText(under);
}

void ViewerWindow::chooseHeaders()
{
    const QStringList files = QFileDialog::getOpenFileNames(
        this, QStringLiteral("図面を開く"), QString(),
        QStringLiteral("図面のヘッダ (*.hed *.HED);;すべてのファイル (*)"));
    std::vector<std::filesystem::path> headers;
    for (const QString& file : files)
        headers.push_back(platform::pathFromFileName(file));
    if (!headers.empty())
        openHeaders(headers);
}

void ViewerWindow::toPaper(int kind)
{
    const QString purpose = kind == kPrint ? QStringLiteral("印刷")
                            : kind == kPdf ? QStringLiteral("PDF 出力")
                                           : QStringLiteral("PNG 出力");
    const std::optional<PaperChoice> choice = askPaper(this, purpose, m_lastPaper, kind != kPng);
    if (!choice)
        return;
    m_lastPaper = *choice;
    const QRectF area = m_view->transform().visibleMap();
    const QString title = paperTitle(m_session, area, choice->scale, QDate::currentDate());
    const std::vector<DrawingToRender> drawings = m_session.toRender();
    const PaperJob job{choice->scale, area, choice->paper, title};
    std::optional<QString> failure;
    QString done;
    if (kind == kPrint) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setFullPage(true);
        printer.setPageLayout(
            QPageLayout(QPageSize(job.paper.size), job.paper.orientation, QMarginsF(0, 0, 0, 0)));
        QPrintDialog dialog(&printer, this);
        if (dialog.exec() == QDialog::Accepted) {
            failure = printSheets(printer, job, drawings, m_view->layers());
            done = platform::messageText(QT_TRANSLATE_NOOP("findTavla", "Printed"));
        }
    } else if (const std::optional<std::filesystem::path> path = askOutputFile(kind, purpose)) {
        failure = kind == kPdf
                      ? exportPdfSheets(*path, job, drawings, m_view->layers())
                      : exportPng(*path, {job.scale, area, title}, drawings, m_view->layers());
        done = platform::messageText(QT_TRANSLATE_NOOP("findTavla", "Written to %1"),
                                     {QString::fromStdString(path->string())});
    }
    if (failure)
        QMessageBox::warning(this, QStringLiteral("Tavla"), *failure);
    else if (!done.isEmpty())
        statusBar()->showMessage(done);
    // The keys (+, -, arrows) go on working on the map at once.
    m_view->setFocus(Qt::OtherFocusReason);
}

std::optional<std::filesystem::path> ViewerWindow::askOutputFile(int kind, const QString& purpose)
{
    const QString suffix = kind == kPdf ? QStringLiteral(".pdf") : QStringLiteral(".png");
    QString file = QFileDialog::getSaveFileName(this, purpose, QString(),
                                                kind == kPdf ? QStringLiteral("PDF (*.pdf)")
                                                             : QStringLiteral("PNG 画像 (*.png)"));
    if (file.isEmpty())
        return std::nullopt;
    if (!file.endsWith(suffix, Qt::CaseInsensitive))
        file += suffix;
    return platform::pathFromText(file.toStdString());
}

void ViewerWindow::placeOnScreen(const std::filesystem::path& settingsFile)
{
    m_settingsFile = settingsFile;
    QScreen* pointer = QGuiApplication::screenAt(QCursor::pos());
    if (!pointer)
        pointer = QGuiApplication::primaryScreen();
    if (!pointer)
        return;
    QList<QRect> screens;
    for (const QScreen* screen : QGuiApplication::screens())
        screens << screen->availableGeometry();
    const std::optional<WindowPlace> kept = readWindowPlace(settingsFile);
    setGeometry(placeWindow(kDefaultWindowSize,
                            kept ? std::optional<QRect>(kept->geometry) : std::nullopt, screens,
                            pointer->availableGeometry()));
    if (kept && kept->maximised)
        setWindowState(windowState() | Qt::WindowMaximized);
}

void ViewerWindow::closeEvent(QCloseEvent* event)
{
    if (!m_settingsFile.empty())
        writeWindowPlace(m_settingsFile, {normalGeometry(), isMaximized()});
    QMainWindow::closeEvent(event);
}

} // namespace ft::viewer
