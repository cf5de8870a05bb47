// The Options dialog: the hint boxes, capital coordinate letters, the exit
// question and the capture character.
#pragma once

#include <QDialog>

#include <array>

#include "ui/view.h"

class QCheckBox;
class QPushButton;
class QRadioButton;

namespace orvane::ui::qt {

class frmoptions1 : public QDialog {
public:
    frmoptions1(const OptionsControls& controls, int twipsPerPixel, QWidget* parent);

    // The controls as they stand now.
    OptionsControls Controls() const;

    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;

private:
    QCheckBox* Check3_;
    QCheckBox* Check5_;
    QCheckBox* Check6_;
    std::array<QRadioButton*, 2> Option1_{};
};

}  // namespace orvane::ui::qt
