#include "ui/qt/frmoptions1.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "ui/qt/controls.h"
#include "ui/qt/windowlayout.h"

namespace orvane::ui::qt {

frmoptions1::frmoptions1(const OptionsControls& controls, int twipsPerPixel, QWidget* parent) : QDialog(parent) {
    const int tpp = twipsPerPixel;
    setWindowTitle(QStringLiteral("Options"));
    setObjectName(QStringLiteral("frmoptions1"));

    Check3_ = new QCheckBox(QStringLiteral("Show available &moves"), this);
    Check5_ = new QCheckBox(QStringLiteral("&Notation in capital letters"), this);
    Check6_ = new QCheckBox(QStringLiteral("Ask confirmation on &exit"), this);
    auto* label14 = new QLabel(QStringLiteral("&Capture character:"), this);
    Option1_[0] = new QRadioButton(QStringLiteral("X"), this);
    Option1_[1] = new QRadioButton(QStringLiteral(":"), this);
    auto* group = new QButtonGroup(this);
    group->addButton(Option1_[0], 0);
    group->addButton(Option1_[1], 1);
    auto* line1 = new ShapeControl(ShapeControl::Kind::HorizontalLine, this);
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdOK->setDefault(true);
    // OK and Cancel answer Enter and Escape; the other controls have letters.
    label14->setBuddy(Option1_[0]);

    Check3_->setObjectName(QStringLiteral("Check3"));
    Check5_->setObjectName(QStringLiteral("Check5"));
    Check6_->setObjectName(QStringLiteral("Check6"));
    Option1_[0]->setObjectName(QStringLiteral("Option1(0)"));
    Option1_[1]->setObjectName(QStringLiteral("Option1(1)"));
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));

    PlaceControl(Check3_, {240, 240, 1935, 255}, tpp);
    PlaceControl(Check5_, {240, 600, 2055, 195}, tpp);
    PlaceControl(Check6_, {240, 960, 2055, 195}, tpp);
    PlaceControl(label14, {3000, 240, 1335, 255}, tpp);
    PlaceControl(Option1_[0], {3120, 600, 495, 195}, tpp);
    PlaceControl(Option1_[1], {3840, 600, 375, 195}, tpp);
    line1->setGeometry(0, ToPixels(1320, tpp), ToPixels(4680, tpp), 1);
    PlaceButtonRow({{cmdOK, {1320, 1680, 855, 375}}, {cmdCancel, {2400, 1680, 855, 375}}}, tpp);
    FixDialogSize(this, 4680, 2220, tpp);
    line1->setFixedWidth(width());

    Check3_->setChecked(controls.Check3 != 0);
    Check5_->setChecked(controls.Check5 != 0);
    Check6_->setChecked(controls.Check6 != 0);
    Option1_[0]->setChecked(controls.Option1_0);
    Option1_[1]->setChecked(controls.Option1_1);

    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

OptionsControls frmoptions1::Controls() const {
    OptionsControls controls;
    controls.Check3 = Check3_->isChecked() ? 1 : 0;
    controls.Check5 = Check5_->isChecked() ? 1 : 0;
    controls.Check6 = Check6_->isChecked() ? 1 : 0;
    controls.Option1_0 = Option1_[0]->isChecked();
    controls.Option1_1 = Option1_[1]->isChecked();
    return controls;
}

}  // namespace orvane::ui::qt
