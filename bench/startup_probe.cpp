// Start-up probe: starts the program exactly as orvane does, waits until its
// window is on the screen, prints the milliseconds from entering main to
// then and the resident memory at that moment, and ends. Timed as a whole
// process, it gives the start-up time a user sees.
#include <QApplication>
#include <QTest>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>

#include "program.h"
#include "ui/frmmain.h"
#include "ui/qt/mainwindow.h"

namespace {

// VmRSS of this process in KiB, from /proc.
long ResidentKiB() {
    std::ifstream status("/proc/self/status");
    std::string word;
    while (status >> word) {
        if (word == "VmRSS:") {
            long kib = 0;
            status >> kib;
            return kib;
        }
    }
    return -1;
}

}  // namespace

int main(int argc, char* argv[]) {
    const auto entered = std::chrono::steady_clock::now();
    QApplication app(argc, argv);
    orvane::app::SetUpApplication();

    orvane::ui::qt::MainWindow window;
    orvane::ui::frmMain form(window, orvane::app::PathsFromSystem());
    window.SetForm(&form);
    if (!form.Form_Load(orvane::app::CommandLine(argc, argv))) return 1;
    window.ShowWindow();
    if (!QTest::qWaitForWindowExposed(&window)) return 1;
    QApplication::processEvents();

    const auto shown = std::chrono::steady_clock::now();
    const double ms = std::chrono::duration<double, std::milli>(shown - entered).count();
    std::printf("shown after %.1f ms, resident %ld KiB\n", ms, ResidentKiB());
    return 0;
}
