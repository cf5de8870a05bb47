// The About dialog: the product name, the version and two links.
#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;

namespace orvane::ui::qt {

inline constexpr const char* WebsiteAddress = "https://orvane.example.org";
inline constexpr const char* EmailAddress = "orvane@example.org";

class frmAbout : public QDialog {
public:
    frmAbout(const QString& versionLine, int twipsPerPixel, QWidget* parent);

    QLabel* Label9 = nullptr;   // the web page address
    QLabel* Label10 = nullptr;  // the e-mail address
    QPushButton* cmdOK = nullptr;
};

}  // namespace orvane::ui::qt
