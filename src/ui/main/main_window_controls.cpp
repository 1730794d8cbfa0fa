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

// The combo boxes are free-text fields: their lists stay empty, and Enter
// must not copy the text into the list.
QComboBox* createTextCombo(QWidget* group, const char* objectName, int left, int top, int width)
{
    auto* combo = named(new QComboBox(group), objectName);
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
    c.GroupBox1 = createGroup(window, "GroupBox1", QStringLiteral("筆"), {616, 8, 337, 169});
    QWidget* g = c.GroupBox1;
    c.cOoaza = createTextCombo(g, "cOoaza", 80, 24, 249);
    c.cKoaza = createTextCombo(g, "cKoaza", 80, 45, 249);
    c.cChiban = createTextCombo(g, "cChiban", 80, 69, 249);
    c.eSyoyuSya = createEdit(g, "eSyoyuSya", 80, 88, 249);
    c.eSyoyuKana = createEdit(g, "eSyoyuKana", 80, 112, 249);
    addFieldLabel(g, c.cOoaza, QStringLiteral("大字名称"));
    addFieldLabel(g, c.cKoaza, QStringLiteral("小字名称"));
    addFieldLabel(g, c.cChiban, QStringLiteral("地　番"));
    addFieldLabel(g, c.eSyoyuSya, QStringLiteral("所有者"));
    addFieldLabel(g, c.eSyoyuKana, QStringLiteral("所有者カナ"));
    c.cBox = createMatchRadios(g, "cBox", 144);
    c.skButton6 = createPushButton(g, "skButton6", QStringLiteral("検　索"), {254, 135, 75, 26});
}

void createMapGroup(QWidget& window, MainWindowControls& c)
{
    c.GroupBox29 =
        createGroup(window, "GroupBox29", QStringLiteral("地図番号"), {616, 184, 337, 81});
    c.eNMapName = createEdit(c.GroupBox29, "eNMapName", 16, 24, 313);
    c.mBox = createMatchRadios(c.GroupBox29, "mBox", 56);
    // This search button belongs to the window, not the group; it is only
    // placed over the group.
    c.skButton8 =
        createPushButton(&window, "skButton8", QStringLiteral("検　索"), {872, 232, 75, 26});
}

void createPointGroups(QWidget& window, MainWindowControls& c)
{
    c.GroupBox14 =
        createGroup(window, "GroupBox14", QStringLiteral("筆界点名称"), {616, 272, 337, 81});
    c.eFTenName = createEdit(c.GroupBox14, "eFTenName", 16, 24, 321);
    c.skButton9 =
        createPushButton(c.GroupBox14, "skButton9", QStringLiteral("検　索"), {256, 48, 75, 26});
    c.fBox = createMatchRadios(c.GroupBox14, "fBox", 56);

    c.GroupBox22 =
        createGroup(window, "GroupBox22", QStringLiteral("図根点名称"), {616, 360, 337, 81});
    c.eZTenName = createEdit(c.GroupBox22, "eZTenName", 16, 24, 321);
    c.skButton10 =
        createPushButton(c.GroupBox22, "skButton10", QStringLiteral("検　索"), {256, 48, 75, 26});
    c.zBox = createMatchRadios(c.GroupBox22, "zBox", 56);
}

void createOperationsGroup(QWidget& window, MainWindowControls& c)
{
    c.GroupBox2 = createGroup(window, "GroupBox2", QStringLiteral("操作"), {616, 448, 337, 153});
    c.Label6 = named(new QLabel(c.GroupBox2), "Label6");
    c.Label6->move(288, 16);
    c.Label6->resize(0, kLabelHeight);
    c.RadioButton1 =
        named(new QRadioButton(QStringLiteral("日本測地系"), c.GroupBox2), "RadioButton1");
    c.RadioButton1->setGeometry(8, 24, 89, 17);
    c.RadioButton2 =
        named(new QRadioButton(QStringLiteral("世界測地系"), c.GroupBox2), "RadioButton2");
    c.RadioButton2->setGeometry(112, 24, 89, 17);
    c.RadioButton2->setChecked(true);

    // The command buttons belong to the window and lie over the group; being
    // created after it keeps them on top.
    c.skButton2 =
        createPushButton(&window, "skButton2", QStringLiteral("図面自動登録"), {624, 528, 89, 26});
    c.skButton7 =
        createPushButton(&window, "skButton7", QStringLiteral("登録図面表示"), {728, 528, 105, 26});
    c.skButton1 =
        createPushButton(&window, "skButton1", QStringLiteral("図面追加登録"), {624, 568, 89, 26});
    c.skButton4 = createPushButton(&window, "skButton4", QStringLiteral("登録図面全削除"),
                                   {728, 568, 105, 26});
    c.skButton3 =
        createPushButton(&window, "skButton3", QStringLiteral("閉じる"), {872, 568, 75, 26});
}

} // namespace

std::vector<QWidget*> MainWindowControls::searchFields() const
{
    return {cOoaza, cKoaza, cChiban, eSyoyuSya, eSyoyuKana, eNMapName, eFTenName, eZTenName};
}

std::vector<QWidget*> MainWindowControls::commands() const
{
    return {Im1,          skButton6, skButton8, skButton9, skButton10, RadioButton1,
            RadioButton2, skButton2, skButton7, skButton1, skButton4,  skButton3};
}

MainWindowControls createMainWindowControls(QWidget& window)
{
    MainWindowControls controls;
    controls.Im1 = named(new OverviewImage(&window, QSize(601, 601)), "Im1");
    controls.Im1->move(0, 0);
    controls.Im1->resize(601, 601);

    createParcelGroup(window, controls);
    createMapGroup(window, controls);
    createPointGroups(window, controls);
    createOperationsGroup(window, controls);

    controls.SB1 = named(new QStatusBar(&window), "SB1");
    controls.SB1->setSizeGripEnabled(false);
    controls.SB1->setGeometry(0, 600, 963, 19);
    return controls;
}

} // namespace ft::app
