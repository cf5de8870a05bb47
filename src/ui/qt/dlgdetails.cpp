#include "ui/qt/dlgdetails.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "ui/qt/windowlayout.h"

namespace orvane::ui::qt {

dlgDetails::dlgDetails(const DetailsControls& controls, std::function<void(const DetailsControls&)> apply,
                       int twipsPerPixel, QWidget* parent)
    : QDialog(parent), apply_(std::move(apply)) {
    const int tpp = twipsPerPixel;
    setWindowTitle(QStringLiteral(" Game Details"));
    setObjectName(QStringLiteral("dlgDetails"));

    auto* frame1 = new QGroupBox(QStringLiteral("Game"), this);
    auto* frame2 = new QGroupBox(QStringLiteral("Players"), this);
    PlaceControl(frame1, {240, 240, 6495, 1695}, tpp);
    PlaceControl(frame2, {240, 2160, 6495, 1335}, tpp);

    struct Field {
        QGroupBox* Frame;
        const char* Caption;
        int Top;
        int Width;
    };
    // Text1..Text5: Event, Site, Date, then Black above White.
    const std::array<Field, 5> fields{{{frame1, "&Event:", 360, 5295},
                                       {frame1, "&Site:", 720, 5295},
                                       {frame1, "&Date:", 1080, 1575},
                                       {frame2, "&Black:", 360, 5295},
                                       {frame2, "&White:", 720, 5295}}};
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const Field& field = fields[i];
        auto* label = new QLabel(QString::fromLatin1(field.Caption), field.Frame);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        PlaceControl(label, {360, field.Top, 495, 255}, tpp, Grow::Left);
        texts_[i] = new QLineEdit(field.Frame);
        texts_[i]->setObjectName(QStringLiteral("Text%1").arg(i + 1));
        PlaceControl(texts_[i], {960, field.Top, field.Width, 285}, tpp);
        label->setBuddy(texts_[i]);
    }
    texts_[0]->setText(shown_[0].Set(controls.Text1));
    texts_[1]->setText(shown_[1].Set(controls.Text2));
    texts_[2]->setText(shown_[2].Set(controls.Text3));
    texts_[3]->setText(shown_[3].Set(controls.Text4));
    texts_[4]->setText(shown_[4].Set(controls.Text5));

    OKButton = new QPushButton(QStringLiteral("OK"), this);
    CancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    Command1 = new QPushButton(QStringLiteral("&Apply"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    Command1->setObjectName(QStringLiteral("Command1"));
    OKButton->setDefault(true);
    PlaceButtonRow({{OKButton, {2640, 3960, 1215, 375}},
                    {CancelButton, {4080, 3960, 1215, 375}},
                    {Command1, {5520, 3960, 1215, 375}}},
                   tpp);
    FixDialogSize(this, 6996, 4524, tpp);

    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(Command1, &QPushButton::clicked, this, [this] {
        if (apply_) apply_(Controls());
    });
}

DetailsControls dlgDetails::Controls() const {
    DetailsControls controls;
    controls.Text1 = shown_[0].Get(texts_[0]->text());
    controls.Text2 = shown_[1].Get(texts_[1]->text());
    controls.Text3 = shown_[2].Get(texts_[2]->text());
    controls.Text4 = shown_[3].Get(texts_[3]->text());
    controls.Text5 = shown_[4].Get(texts_[4]->text());
    return controls;
}

}  // namespace orvane::ui::qt
