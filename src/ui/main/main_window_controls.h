#pragma once

#include "ui/main/name_list_combo.h"
#include "ui/widgets/push_button.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QStatusBar>

#include <array>
#include <vector>

namespace ft::app {

class OverviewImage;

// The controls of the main window, named as the window's design names them.
// The window owns them through Qt's parent chain; these are plain pointers.
struct MainWindowControls {
    OverviewImage* overview = nullptr;
    QStatusBar* statusBar = nullptr;

    // Parcel search.
    QGroupBox* parcelGroup = nullptr;
    NameListCombo* oazaField = nullptr;
    NameListCombo* koazaField = nullptr;
    QComboBox* lotNumberField = nullptr;
    QLineEdit* ownerField = nullptr;
    QLineEdit* ownerKanaField = nullptr;
    std::array<QRadioButton*, 3> parcelModes{};
    PushButton* parcelSearchButton = nullptr;

    // Map sheet search.
    QGroupBox* mapSheetGroup = nullptr;
    QLineEdit* mapSheetField = nullptr;
    std::array<QRadioButton*, 3> mapSheetModes{};
    PushButton* mapSheetSearchButton = nullptr;

    // Boundary point search.
    QGroupBox* boundaryPointGroup = nullptr;
    QLineEdit* boundaryPointField = nullptr;
    std::array<QRadioButton*, 3> boundaryPointModes{};
    PushButton* boundaryPointSearchButton = nullptr;

    // Control point search.
    QGroupBox* controlPointGroup = nullptr;
    QLineEdit* controlPointField = nullptr;
    std::array<QRadioButton*, 3> controlPointModes{};
    PushButton* controlPointSearchButton = nullptr;

    // Operations.
    QGroupBox* operationsGroup = nullptr;
    QLabel* drawingCount = nullptr;
    QRadioButton* japaneseDatumRadio = nullptr;
    QRadioButton* worldDatumRadio = nullptr;
    PushButton* registerAllVolumesButton = nullptr;
    PushButton* drawingListButton = nullptr;
    PushButton* registerButton = nullptr;
    PushButton* deleteAllButton = nullptr;
    PushButton* closeButton = nullptr;

    // The eight search entry fields, in the order of the window.
    std::vector<QWidget*> searchFields() const;
    // The controls that start work which must not run twice at once.
    std::vector<QWidget*> commands() const;
};

// Creates every control of the main window at its designed place.
MainWindowControls createMainWindowControls(QWidget& window);

} // namespace ft::app
