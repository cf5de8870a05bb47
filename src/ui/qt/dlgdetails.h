// The Game Details dialog: event, site, date and the two players of the game.
#pragma once

#include <QDialog>

#include <array>
#include <functional>

#include "ui/qt/programtext.h"
#include "ui/view.h"

class QLineEdit;
class QPushButton;

namespace orvane::ui::qt {

class dlgDetails : public QDialog {
public:
    // apply is called with the controls when the Apply button is pressed.
    dlgDetails(const DetailsControls& controls, std::function<void(const DetailsControls&)> apply, int twipsPerPixel,
               QWidget* parent);

    // The text boxes as they stand now.
    DetailsControls Controls() const;

    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;
    QPushButton* Command1 = nullptr;

private:
    std::function<void(const DetailsControls&)> apply_;
    std::array<QLineEdit*, 5> texts_{};  // Text1..Text5
    std::array<ShownText, 5> shown_;
};

}  // namespace orvane::ui::qt
