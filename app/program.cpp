#include "program.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <filesystem>

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
    QApplication::setDesktopFileName(QStringLiteral("orvane"));
    QApplication::setWindowIcon(ui::qt::ApplicationIcon());
}

ui::ProgramPaths PathsFromSystem() {
    ui::ProgramPaths paths;
    paths.ProgramFolder = LocalPath(QCoreApplication::applicationDirPath());
    const QString configFolder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    if (!configFolder.isEmpty()) {
        QDir().mkpath(configFolder);
        paths.ConfigFolder = LocalPath(configFolder);
    }
    // The data folder beside an installed program (prefix/bin -> prefix/share/orvane),
    // so an install moved to another prefix still finds its book; else the
    // folder the build was configured for.
    const QString besideProgram = QCoreApplication::applicationDirPath() + QStringLiteral("/../share/orvane");
    paths.DataFolder = QDir(besideProgram).exists() ? LocalPath(QDir(besideProgram).canonicalPath())
                                                    : std::filesystem::path(ORVANE_DATA_DIR);
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
