#pragma once

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
    OverviewImage* Im1 = nullptr;
    QStatusBar* SB1 = nullptr;

    // Parcel search.
    QGroupBox* GroupBox1 = nullptr;
    QComboBox* cOoaza = nullptr;
    QComboBox* cKoaza = nullptr;
    QComboBox* cChiban = nullptr;
    QLineEdit* eSyoyuSya = nullptr;
    QLineEdit* eSyoyuKana = nullptr;
    std::array<QRadioButton*, 3> cBox{};
    PushButton* skButton6 = nullptr;

    // Map sheet search.
    QGroupBox* GroupBox29 = nullptr;
    QLineEdit* eNMapName = nullptr;
    std::array<QRadioButton*, 3> mBox{};
    PushButton* skButton8 = nullptr;

    // Boundary point search.
    QGroupBox* GroupBox14 = nullptr;
    QLineEdit* eFTenName = nullptr;
    std::array<QRadioButton*, 3> fBox{};
    PushButton* skButton9 = nullptr;

    // Control point search.
    QGroupBox* GroupBox22 = nullptr;
    QLineEdit* eZTenName = nullptr;
    std::array<QRadioButton*, 3> zBox{};
    PushButton* skButton10 = nullptr;

    // Operations.
    QGroupBox* GroupBox2 = nullptr;
    QLabel* Label6 = nullptr;
    QRadioButton* RadioButton1 = nullptr;
    QRadioButton* RadioButton2 = nullptr;
    PushButton* skButton2 = nullptr;
    PushButton* skButton7 = nullptr;
    PushButton* skButton1 = nullptr;
    PushButton* skButton4 = nullptr;
    PushButton* skButton3 = nullptr;

    // The eight search entry fields, in the order of the window.
    std::vector<QWidget*> searchFields() const;
    // The controls that start work which must not run twice at once.
    std::vector<QWidget*> commands() const;
};

// Creates every control of the main window at its designed place.
MainWindowControls createMainWindowControls(QWidget& window);

} // namespace ft::app
