#include "ui/main/main_window_controls.h"

#include "ui/main/overview_image.h"
#include "ui/widgets/push_button.h"

namespace ft::app {
namespace {

// Heights the design leaves to the control kind, for the 12-pixel font.
constexpr int kFieldHeight = 20;
constexpr int kRadioHeight = 17;
constexpr int kMatchRadioWidth = 76;
constexpr int kFieldLabelLeft = 16;
constexpr int kFieldLabelWidth = 62;
constexpr int kLabelHeight = 12;

QString name(const char* text)
{
    return QString::fromLatin1(text);
}

template <typename Widget> Widget* named(Widget* widget, const char* objectName)
{
    widget->setObjectName(name(objectName));
    return widget;
}

QGroupBox* createGroup(QWidget& window, const char* objectName, const QString& title,
                       const QRect& geometry)
{
    auto* group = named(new QGroupBox(title, &window), objectName);
    group->setGeometry(geometry);
    return group;
}

// The label that names a field sits left of it, vertically centred on it.
void addFieldLabel(QWidget* group, QWidget* field, const QString& text)
{
    auto* label = new QLabel(text, group);
    label->setObjectName(field->objectName() + QStringLiteral("Label"));
    label->setGeometry(kFieldLabelLeft, field->y() + (kFieldHeight - kLabelHeight) / 2,
                       kFieldLabelWidth, kLabelHeight);
    label->setBuddy(field);
}

// The combo boxes are free-text fields: Enter must not copy the text into
// the list. The lot number's list stays empty; the oaza and koaza lists
// offer the registered names when they open.
template <typename Combo = QComboBox>
Combo* createTextCombo(QWidget* group, const char* objectName, int left, int top, int width)
{
    auto* combo = named(new Combo(group), objectName);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setGeometry(left, top, width, kFieldHeight);
    return combo;
}

QLineEdit* createEdit(QWidget* group, const char* objectName, int left, int top, int width)
{
    auto* edit = named(new QLineEdit(group), objectName);
    edit->setGeometry(left, top, width, kFieldHeight);
    return edit;
}

// "完全一致", "先頭一致" (the default), "あいまい" at 16, 96 and 176.
std::array<QRadioButton*, 3> createMatchRadios(QWidget* group, const char* prefix, int top)
{
    static const char16_t* const captions[] = {u"完全一致", u"先頭一致", u"あいまい"};
    std::array<QRadioButton*, 3> radios{};
    for (int i = 0; i < 3; ++i) {
        auto* radio = new QRadioButton(QString::fromUtf16(captions[i]), group);
        radio->setObjectName(name(prefix) + QString::number(i + 1));
        radio->setGeometry(16 + 80 * i, top, kMatchRadioWidth, kRadioHeight);
        radios[static_cast<std::size_t>(i)] = radio;
    }
    radios[1]->setChecked(true);
    return radios;
}

void createParcelGroup(QWidget& window, MainWindowControls& c)
{
    c.parcelGroup = createGroup(window, "GroupBox1", QStringLiteral("筆"), {616, 8, 337, 169});
    QWidget* g = c.parcelGroup;
    c.oazaField = createTextCombo<NameListCombo>(g, "cOoaza", 80, 24, 249);
    c.koazaField = createTextCombo<NameListCombo>(g, "cKoaza", 80, 45, 249);
    c.lotNumberField = createTextCombo(g, "cChiban", 80, 69, 249);
    c.ownerField = createEdit(g, "eSyoyuSya", 80, 88, 249);
    c.ownerKanaField = createEdit(g, "eSyoyuKana", 80, 112, 249);
    addFieldLabel(g, c.oazaField, QStringLiteral("大字名称"));
    addFieldLabel(g, c.koazaField, QStringLiteral("小字名称"));
    addFieldLabel(g, c.lotNumberField, QStringLiteral("地　番"));
    addFieldLabel(g, c.ownerField, QStringLiteral("所有者"));
    addFieldLabel(g, c.ownerKanaField, QStringLiteral("所有者カナ"));
    c.parcelModes = createMatchRadios(g, "cBox", 144);
    c.parcelSearchButton =
        createPushButton(g, "skButton6", QStringLiteral("検　索"), {254, 135, 75, 26});
}

void createMapGroup(QWidget& window, MainWindowControls& c)
{
    c.mapSheetGroup =
        createGroup(window, "GroupBox29", QStringLiteral("地図番号"), {616, 184, 337, 81});
    c.mapSheetField = createEdit(c.mapSheetGroup, "eNMapName", 16, 24, 313);
    c.mapSheetModes = createMatchRadios(c.mapSheetGroup, "mBox", 56);
    // This search button belongs to the window, not the group; it is only
    // placed over the group.
    c.mapSheetSearchButton =
        createPushButton(&window, "skButton8", QStringLiteral("検　索"), {872, 232, 75, 26});
}

void createPointGroups(QWidget& window, MainWindowControls& c)
{
    c.boundaryPointGroup =
        createGroup(window, "GroupBox14", QStringLiteral("筆界点名称"), {616, 272, 337, 81});
    c.boundaryPointField = createEdit(c.boundaryPointGroup, "eFTenName", 16, 24, 321);
    c.boundaryPointSearchButton = createPushButton(c.boundaryPointGroup, "skButton9",
                                                   QStringLiteral("検　索"), {256, 48, 75, 26});
    c.boundaryPointModes = createMatchRadios(c.boundaryPointGroup, "fBox", 56);

    c.controlPointGroup =
        createGroup(window, "GroupBox22", QStringLiteral("図根点名称"), {616, 360, 337, 81});
    c.controlPointField = createEdit(c.controlPointGroup, "eZTenName", 16, 24, 321);
    c.controlPointSearchButton = createPushButton(c.controlPointGroup, "skButton10",
                                                  QStringLiteral("検　索"), {256, 48, 75, 26});
    c.controlPointModes = createMatchRadios(c.controlPointGroup, "zBox", 56);
}

void createOperationsGroup(QWidget& window, MainWindowControls& c)
{
    c.operationsGroup =
        createGroup(window, "GroupBox2", QStringLiteral("操作"), {616, 448, 337, 153});
    c.drawingCount = named(new QLabel(c.operationsGroup), "Label6");
    c.drawingCount->move(288, 16);
    c.drawingCount->resize(0, kLabelHeight);
    c.japaneseDatumRadio =
        named(new QRadioButton(QStringLiteral("日本測地系"), c.operationsGroup), "RadioButton1");
    c.japaneseDatumRadio->setGeometry(8, 24, 89, 17);
    c.worldDatumRadio =
        named(new QRadioButton(QStringLiteral("世界測地系"), c.operationsGroup), "RadioButton2");
    c.worldDatumRadio->setGeometry(112, 24, 89, 17);
    c.worldDatumRadio->setChecked(true);

    // The command buttons belong to the window and lie over the group; being
    // created after it keeps them on top.
    c.registerAllVolumesButton =
        createPushButton(&window, "skButton2", QStringLiteral("図面自動登録"), {624, 528, 89, 26});
    c.drawingListButton =
        createPushButton(&window, "skButton7", QStringLiteral("登録図面表示"), {728, 528, 105, 26});
    c.registerButton =
        createPushButton(&window, "skButton1", QStringLiteral("図面追加登録"), {624, 568, 89, 26});
    c.deleteAllButton = createPushButton(&window, "skButton4", QStringLiteral("登録図面全削除"),
                                         {728, 568, 105, 26});
    c.closeButton =
        createPushButton(&window, "skButton3", QStringLiteral("閉じる"), {872, 568, 75, 26});
}

} // namespace

std::vector<QWidget*> MainWindowControls::searchFields() const
{
    return {oazaField,      koazaField,    lotNumberField,     ownerField,
            ownerKanaField, mapSheetField, boundaryPointField, controlPointField};
}

std::vector<QWidget*> MainWindowControls::commands() const
{
    return {overview,
            parcelSearchButton,
            mapSheetSearchButton,
            boundaryPointSearchButton,
            controlPointSearchButton,
            japaneseDatumRadio,
            worldDatumRadio,
            registerAllVolumesButton,
            drawingListButton,
            registerButton,
            deleteAllButton,
            closeButton};
}

MainWindowControls createMainWindowControls(QWidget& window)
{
    MainWindowControls controls;
    controls.overview = named(new OverviewImage(&window, QSize(601, 601)), "Im1");
    controls.overview->move(0, 0);
    controls.overview->resize(601, 601);

    createParcelGroup(window, controls);
    createMapGroup(window, controls);
    createPointGroups(window, controls);
    createOperationsGroup(window, controls);

    controls.statusBar = named(new QStatusBar(&window), "SB1");
    controls.statusBar->setSizeGripEnabled(false);
    controls.statusBar->setGeometry(0, 600, 963, 19);
    return controls;
}

} // namespace ft::app
