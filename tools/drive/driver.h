// The behaviour driver: runs frmMain over the recording fake window, reads
// commands one a line and prints what a user would see.
#pragma once

#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "fakeview.h"
#include "ui/frmmain.h"

namespace orvane::drive {

// Splits a command line into words: blanks separate, double quotes keep
// blanks (\" and \\ inside quotes stand for themselves, \n for a line break).
std::vector<std::string> SplitWords(const std::string& line);

class Driver {
public:
    enum class Result { Ok, Error, Quit };

    // Starts the program: frmMain is created over the fake window and its
    // start-up runs with commandLine as the argument string; debug starts it
    // with debug1 = 1. With a command line, start-up waits for the first
    // command other than "answer", so that a script can answer what the
    // opening of the file asks.
    Driver(std::ostream& out, ui::ProgramPaths paths, const std::string& commandLine = "", int twipsPerPixel = 15,
           bool debug = false);

    // Runs the start-up now if it has not run yet.
    void EnsureStarted();

    // Runs one command line. Error: the command is unknown or names nothing
    // the window has (the driver then stops with status 2).
    Result Run(const std::string& line);
    // Runs every line of a script; returns the driver's exit status.
    int RunScript(std::istream& in);

    ui::fake::FakeView& View() { return view_; }
    ui::frmMain& Form() { return *form_; }

    // The visible state, as the command "show" prints it.
    std::string Show() const;

private:
    Result Fail(const std::string& message);
    int ControlOf(const std::string& squareName, bool& ok) const;
    Result Mouse(const std::vector<std::string>& words);
    Result Drag(const std::string& from, const std::string& to);

    std::ostream& out_;
    ui::fake::FakeView view_;
    std::unique_ptr<ui::frmMain> form_;
    bool ended_ = false;
    bool started_ = false;
    std::string commandLine_;
};

}  // namespace orvane::drive
