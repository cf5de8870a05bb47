// Orvane: start-up of the program. Builds the window, hands it to frmMain
// and runs the event loop.
#include <QApplication>

#include "program.h"
#include "ui/frmmain.h"
#include "ui/qt/mainwindow.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    orvane::app::SetUpApplication();

    orvane::ui::qt::MainWindow window;
    orvane::ui::frmMain form(window, orvane::app::PathsFromSystem());
    window.SetForm(&form);
    // ORVANE_DEBUG=1 starts the program with its Debug command and Label7.
    form.DebugAtStart = qEnvironmentVariable("ORVANE_DEBUG") == QStringLiteral("1") ? 1 : 0;
    if (!form.Form_Load(orvane::app::CommandLine(argc, argv)) || window.QuitRequested()) return 1;
    window.ShowWindow();
    return QApplication::exec();
}
