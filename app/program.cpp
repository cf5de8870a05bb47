#include "program.h"

#include <pwd.h>
#include <unistd.h>

#include <QApplication>
#include <QFile>

#include <cstdlib>
#include <filesystem>

#include "folders.h"

#include "ui/qt/piecepictures.h"

namespace orvane::app {

namespace {

std::filesystem::path LocalPath(const QString& folder) {
    const QByteArray bytes = QFile::encodeName(folder);
    return std::filesystem::path(std::string(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

}  // namespace

void SetUpApplication() {
    QApplication::setApplicationName(QStringLiteral("Orvane"));
    QApplication::setApplicationVersion(QStringLiteral(ORVANE_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("org.example.orvane"));
    QApplication::setWindowIcon(ui::qt::ApplicationIcon());
}

ui::ProgramPaths PathsFromSystem() {
    ui::ProgramPaths paths;
    paths.ProgramFolder = LocalPath(QCoreApplication::applicationDirPath());
    const char* xdgConfigHome = std::getenv("XDG_CONFIG_HOME");
    const char* home = std::getenv("HOME");
    std::string homeFolder = home != nullptr ? home : "";
    if (homeFolder.empty())
        if (const passwd* user = ::getpwuid(::getuid()); user != nullptr && user->pw_dir != nullptr)
            homeFolder = user->pw_dir;
    // Created when the settings are first written there, not before.
    paths.ConfigFolder = UserConfigFolder(xdgConfigHome != nullptr ? xdgConfigHome : "", homeFolder);
    paths.DataFolder = DataFolder(paths.ProgramFolder, ORVANE_DATA_DIR);
    paths.Installed = RunsInstalled(paths.ProgramFolder, ORVANE_BIN_DIR);
    return paths;
}

std::string CommandLine(int argc, char** argv) {
    // QApplication has already taken out the options that are its own.
    std::string commandLine;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) commandLine += ' ';
        commandLine += argv[i];
    }
    return commandLine;
}

}  // namespace orvane::app
