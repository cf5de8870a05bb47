#include "ui/qt/frmabout.h"

#include <QDesktopServices>
#include <QEnterEvent>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QUrl>

#include <functional>

#include "ui/qt/piecepictures.h"
#include "ui/qt/windowlayout.h"

namespace orvane::ui::qt {

namespace {

// A blue link text, underlined while the pointer is over it, that opens its
// address with the desktop's handler when clicked.
class LinkLabel : public QLabel {
public:
    LinkLabel(const QString& text, QUrl url, QWidget* parent) : QLabel(text, parent), url_(std::move(url)) {
        QPalette colours = palette();
        colours.setColor(QPalette::WindowText, QColor(0, 0, 0xff));
        setPalette(colours);
        setCursor(Qt::PointingHandCursor);
    }

protected:
    void enterEvent(QEnterEvent* event) override {
        QLabel::enterEvent(event);
        SetUnderline(true);
    }
    void leaveEvent(QEvent* event) override {
        QLabel::leaveEvent(event);
        SetUnderline(false);
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        QLabel::mouseReleaseEvent(event);
        if (event->button() != Qt::LeftButton || !rect().contains(event->position().toPoint())) return;
        QDesktopServices::openUrl(url_);
        SetUnderline(false);
    }

private:
    void SetUnderline(bool underline) {
        QFont f = font();
        f.setUnderline(underline);
        setFont(f);
    }

    QUrl url_;
};

}  // namespace

frmAbout::frmAbout(const QString& versionLine, int twipsPerPixel, QWidget* parent) : QDialog(parent) {
    const int tpp = twipsPerPixel;
    setWindowTitle(QStringLiteral(" About"));
    setObjectName(QStringLiteral("frmAbout"));

    auto* frame1 = new QFrame(this);
    frame1->setFrameShape(QFrame::Box);
    frame1->setFrameShadow(QFrame::Sunken);
    PlaceControl(frame1, {240, 120, 4095, 2535}, tpp);

    auto* picture1 = new QLabel(frame1);
    const qreal dpr = devicePixelRatioF();
    QImage icon = RenderApplicationIcon(static_cast<int>(32 * dpr));
    icon.setDevicePixelRatio(dpr);
    picture1->setPixmap(QPixmap::fromImage(icon));
    picture1->setGeometry(ToPixels(240, tpp), ToPixels(180, tpp), 32, 32);

    auto* label8 = new QLabel(QStringLiteral("Orvane"), this);
    QFont large = font();
    large.setFamilies({QStringLiteral("Comic Sans MS"), font().family()});
    large.setPointSize(20);
    large.setBold(true);
    label8->setFont(large);
    PlaceControl(label8, {1320, 240, 1692, 612}, tpp);

    auto* label3 = new QLabel(versionLine, this);
    label3->setObjectName(QStringLiteral("Label3"));
    PlaceControl(label3, {1200, 960, 2052, 252}, tpp);

    auto* label2 = new QLabel(QStringLiteral("Website:"), this);
    label2->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    PlaceControl(label2, {600, 1800, 615, 255}, tpp, Grow::Left);
    Label9 = new LinkLabel(QString::fromLatin1(WebsiteAddress), QUrl(QString::fromLatin1(WebsiteAddress)), this);
    Label9->setObjectName(QStringLiteral("Label9"));
    PlaceControl(Label9, {1320, 1800, 2415, 255}, tpp);

    auto* label6 = new QLabel(QStringLiteral("Email:"), this);
    label6->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    PlaceControl(label6, {720, 2040, 495, 255}, tpp, Grow::Left);
    Label10 = new LinkLabel(QString::fromLatin1(EmailAddress),
                            QUrl(QStringLiteral("mailto:") + QString::fromLatin1(EmailAddress)), this);
    Label10->setObjectName(QStringLiteral("Label10"));
    PlaceControl(Label10, {1320, 2040, 1575, 255}, tpp);

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    PlaceControl(cmdOK, {1560, 2880, 1575, 375}, tpp);
    FixDialogSize(this, 4620, 3396, tpp);

    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
}

}  // namespace orvane::ui::qt
