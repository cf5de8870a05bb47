// Orvane: start-up of the program. Builds the window, hands it to frmMain
// and runs the event loop.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <filesystem>
#include <string>

#include "ui/frmmain.h"
#include "ui/qt/mainwindow.h"
#include "ui/qt/piecepictures.h"

namespace {

std::filesystem::path LocalPath(const QString& folder) {
    const QByteArray bytes = QFile::encodeName(folder);
    return std::filesystem::path(std::string(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orvane"));
    QApplication::setApplicationVersion(QStringLiteral(ORVANE_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("orvane"));
    QApplication::setWindowIcon(orvane::ui::qt::ApplicationIcon());

    orvane::ui::ProgramPaths paths;
    paths.ProgramFolder = LocalPath(QCoreApplication::applicationDirPath());
    const QString configFolder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    if (!configFolder.isEmpty()) {
        QDir().mkpath(configFolder);
        paths.ConfigFolder = LocalPath(configFolder);
    }
    paths.DataFolder = std::filesystem::path(ORVANE_DATA_DIR);

    // The command line as one string: the arguments joined by single blanks
    // (QApplication has already taken out the options that are its own).
    std::string commandLine;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) commandLine += ' ';
        commandLine += argv[i];
    }

    orvane::ui::qt::MainWindow window;
    orvane::ui::frmMain form(window, paths);
    window.SetForm(&form);
    if (!form.Form_Load(commandLine) || window.QuitRequested()) return 1;
    window.ShowWindow();
    return QApplication::exec();
}
