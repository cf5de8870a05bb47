// Start-up with the settings file "orvane.ini" and leaving the program: the
// file that is left behind, the settings in force, the start-up failure, and
// the question before exiting.
#include <ostream>

#include "uitest.h"

namespace orvane::ui::test {
namespace {

const std::string DefaultFile = "ORVANE0.10\r\n 0 \r\n 0 \r\n 1 \r\n 0 \r\n 1 \r\n 0 \r\n";
const std::string StartupError = MsgLine("Error", "exclamation", "Error found! Orvane will exit");
const std::string ExitQuestion = "msgbox title=\"Confirmation\" icon=question text=\"Are you sure you want to exit?\"";

class SettingsTest : public UiTest {
protected:
    fs::path Ini() const { return Home() / "orvane.ini"; }
    void WriteIni(const std::string& text) { WriteFile(Ini(), text); }
    std::string Ini6(int notation, int turned, int showMoves, int capNot, int askExit, int capCharacter) {
        std::string text = "ORVANE0.10\r\n";
        for (const int v : {notation, turned, showMoves, capNot, askExit, capCharacter})
            text += (v < 0 ? "" : " ") + std::to_string(v) + " \r\n";
        return text;
    }
    // The six settings in force, as the user finds them on the screen.
    std::vector<int> InForce() { return SettingsShown(); }
};

const std::vector<int> Defaults = {0, 0, 1, 0, 1, 0};

struct IniFile {
    const char* name;
    std::string text;           // the file before start-up
    std::vector<int> settings;  // in force afterwards
    std::string after;          // the file after start-up
};
void PrintTo(const IniFile& row, std::ostream* os) { *os << row.name; }

class ReadAtStartUp : public SettingsTest, public ::testing::WithParamInterface<IniFile> {};

TEST_P(ReadAtStartUp, TakesTheSettingsOrWritesTheDefaults) {
    WriteIni(GetParam().text);
    Start();
    EXPECT_EQ(Run({}), Lines{}) << "no message at start-up";
    EXPECT_EQ(InForce(), GetParam().settings);
    EXPECT_EQ(ReadFile(Ini()), GetParam().after);
}

const std::string Valid = "ORVANE0.10\r\n 1 \r\n 1 \r\n 0 \r\n 1 \r\n 0 \r\n 1 \r\n";

INSTANTIATE_TEST_SUITE_P(
    SettingsFile, ReadAtStartUp,
    ::testing::Values(
        IniFile{"Valid", Valid, {1, 1, 0, 1, 0, 1}, Valid},
        IniFile{"ShortFileIsReplacedWhole", "ORVANE0.10\r\n 1 \r\n 1 \r\n 0 \r\n", Defaults, DefaultFile},
        IniFile{"HeaderOnly", "ORVANE0.10\r\n", Defaults, DefaultFile}, IniFile{"EmptyFile", "", Defaults, DefaultFile},
        IniFile{"OtherVersion", "ORVANE0.09\r\n 1 \r\n 1 \r\n 0 \r\n 1 \r\n 0 \r\n 1 \r\n", Defaults, DefaultFile},
        IniFile{"OtherProduct", "OTHER0.10\r\n 1 \r\n 1 \r\n 0 \r\n 1 \r\n 0 \r\n 1 \r\n", Defaults, DefaultFile},
        IniFile{"NumbersWithoutBlanks",
                "ORVANE0.10\r\n1\r\n1\r\n0\r\n1\r\n0\r\n1\r\n",
                {1, 1, 0, 1, 0, 1},
                "ORVANE0.10\r\n1\r\n1\r\n0\r\n1\r\n0\r\n1\r\n"},
        IniFile{
            "NumbersOnOneLine", "ORVANE0.10\r\n1,1,0 1 0,1\r\n", {1, 1, 0, 1, 0, 1}, "ORVANE0.10\r\n1,1,0 1 0,1\r\n"},
        IniFile{"TextReadsAsZero",
                "ORVANE0.10\r\n 1 \r\n yes \r\n 0 \r\n 1 \r\n 0 \r\n 1 \r\n",
                {1, 0, 0, 1, 0, 1},
                "ORVANE0.10\r\n 1 \r\n yes \r\n 0 \r\n 1 \r\n 0 \r\n 1 \r\n"},
        IniFile{"NotNumbersReadAsZero",
                "ORVANE0.10\r\n nan \r\n INF \r\n 1 \r\n information \r\n 0x1 \r\n 1 \r\n",
                {0, 0, 1, 0, 0, 1},
                "ORVANE0.10\r\n nan \r\n INF \r\n 1 \r\n information \r\n 0x1 \r\n 1 \r\n"},
        IniFile{"SignsPointsAndExponents",
                "ORVANE0.10\r\n-0 \r\n+1 \r\n 1.0 \r\n 0.5 \r\n 1e0 \r\n 1e-999 \r\n",
                {0, 1, 1, 0, 1, 0},
                "ORVANE0.10\r\n-0 \r\n+1 \r\n 1.0 \r\n 0.5 \r\n 1e0 \r\n 1e-999 \r\n"}),
    ScenarioName());

TEST_F(SettingsTest, NoFileLeavesTheDefaultFile) {
    Start();
    EXPECT_EQ(Run({}), Lines{});
    EXPECT_EQ(ReadFile(Ini()), DefaultFile);
    EXPECT_EQ(InForce(), Defaults);
    const Screen screen = Show();
    EXPECT_EQ(screen.letters, "abcdefgh");
    EXPECT_EQ(screen.ranks, StartRanks());
    EXPECT_FALSE(View().menu.Get("Nonotation").checked);
}

TEST_F(SettingsTest, ShortFileValuesAreNotInForce) {
    // Notation 1, BoardTurned 1 and ShowMoves 0 were read before the file ended.
    WriteIni("ORVANE0.10\r\n 1 \r\n 1 \r\n 0 \r\n");
    const Screen screen = Show();
    EXPECT_EQ(screen.letters, "abcdefgh");
    EXPECT_EQ(screen.digits, "12345678");
    EXPECT_EQ(View().squares.pictures[0], 17);
    EXPECT_FALSE(View().menu.Get("Nonotation").checked);
}

TEST_F(SettingsTest, TurnedBoardAndCapitalsFromTheFile) {
    WriteIni(Ini6(0, 1, 1, 1, 1, 0));
    const Screen screen = Show();
    EXPECT_EQ(screen.letters, "HGFEDCBA");
    EXPECT_EQ(screen.digits, "87654321");
    EXPECT_EQ(View().squares.pictures[0], 37);
    EXPECT_EQ(screen.ranks, StartRanks());
}

TEST_F(SettingsTest, NotationNoneAndColonCapturesFromTheFile) {
    WriteIni(Ini6(1, 0, 1, 0, 1, 1));
    Run({"list2 \" e2-e4\"", "list2 \" d7-d5\""});
    const Screen screen = Show();
    EXPECT_EQ(screen.letters, "");
    EXPECT_EQ(screen.digits, "");
    EXPECT_TRUE(View().menu.Get("Nonotation").checked);
    EXPECT_TRUE(Contains(screen.list2, " e4:d5"));
    Run({"list2 \" e4:d5\""});
    EXPECT_EQ(Show().list1.back(), "   2.  e4:d5");
}

struct BadIni {
    const char* name;
    std::string text;
};
void PrintTo(const BadIni& row, std::ostream* os) { *os << row.name; }

class UnusableSettings : public SettingsTest, public ::testing::WithParamInterface<BadIni> {};

TEST_P(UnusableSettings, AreReplacedByTheDefaultsAndTheProgramStarts) {
    WriteIni(GetParam().text);
    Start();
    EXPECT_EQ(Run({}), Lines{}) << "no message at start-up";
    EXPECT_FALSE(View().quit);
    EXPECT_EQ(InForce(), Defaults);
    EXPECT_EQ(ReadFile(Ini()), DefaultFile);
    EXPECT_EQ(Show().ranks, StartRanks());
    Run({"list2 \" e2-e4\""});
    EXPECT_EQ(Show().list1, Lines{"   1.  e2-e4"});
}

INSTANTIATE_TEST_SUITE_P(
    SettingsFile, UnusableSettings,
    ::testing::Values(BadIni{"TooLarge", "ORVANE0.10\r\n 0 \r\n 99999 \r\n 1 \r\n 0 \r\n 1 \r\n 0 \r\n"},
                      BadIni{"JustTooLarge", "ORVANE0.10\r\n 0 \r\n 0 \r\n 1 \r\n 0 \r\n 1 \r\n 32768 \r\n"},
                      BadIni{"JustTooSmall", "ORVANE0.10\r\n-32769 \r\n 0 \r\n 1 \r\n 0 \r\n 1 \r\n 0 \r\n"},
                      BadIni{"HugeExponent", "ORVANE0.10\r\n 0 \r\n 0 \r\n 1e999 \r\n 0 \r\n 1 \r\n 0 \r\n"},
                      BadIni{"LargestWholeNumber", "ORVANE0.10\r\n 32767 \r\n 0 \r\n 1 \r\n 0 \r\n 1 \r\n 0 \r\n"},
                      BadIni{"SmallestWholeNumber", "ORVANE0.10\r\n 0 \r\n-32768 \r\n 1 \r\n 0 \r\n 1 \r\n 0 \r\n"},
                      BadIni{"Two", "ORVANE0.10\r\n 0 \r\n 0 \r\n 1 \r\n 0 \r\n 2 \r\n 0 \r\n"},
                      BadIni{"MinusOne", "ORVANE0.10\r\n-1 \r\n 0 \r\n 1 \r\n 0 \r\n 1 \r\n 0 \r\n"},
                      BadIni{"OneAndAHalfRoundsToTwo", "ORVANE0.10\r\n 0 \r\n 0 \r\n 1.5 \r\n 0 \r\n 1 \r\n 0 \r\n"}),
    ScenarioName());

TEST_F(SettingsTest, TogglesStoreOnlyZeroAndOneAndTheNextStartTakesThem) {
    // Once -32768 in the file became 32769 after a toggle, which the next
    // start refused.
    WriteIni(Ini6(-32768, 0, 1, 0, 0, 0));
    Start();
    EXPECT_EQ(InForce(), Defaults);
    Run({"menu Nonotation", "menu Turn", "menu Turn", "menu Turn", "answer \"Check3=0;Check6=0;OK\"", "options",
         "menu Exit"});
    const std::string saved = Ini6(1, 1, 0, 0, 0, 0);
    EXPECT_EQ(ReadFile(Ini()), saved);

    std::ostringstream out;
    ProgramPaths paths;
    paths.ProgramFolder = Home();
    drive::Driver again(out, paths);
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(test::SettingsShown(again), (std::vector<int>{1, 1, 0, 0, 0, 0}));
    EXPECT_EQ(ReadFile(Ini()), saved);
}

TEST_F(SettingsTest, FileThatCannotBeWrittenEndsTheProgram) {
    fs::create_directory(Ini());
    Start();
    EXPECT_EQ(Run({}), (Lines{StartupError, "quit"}));
}

// ---- leaving the program -------------------------------------------------

TEST_F(SettingsTest, ExitAnsweredNoKeepsRunningAndWritesNothing) {
    Start();
    Run({"menu Turn", "answer No", "menu Exit"});
    EXPECT_FALSE(View().quit);
    EXPECT_EQ(ReadFile(Ini()), DefaultFile);
    // Still running: the board takes moves.
    Run({"list2 \" e2-e4\""});
    EXPECT_EQ(Show().list1, Lines{"   1.  e2-e4"});
}

TEST_F(SettingsTest, ExitAnsweredYesWritesTheSettingsAndQuits) {
    Start();
    EXPECT_EQ(Run({"menu Turn", "menu Nonotation", "answer No", "menu Exit", "answer Yes", "menu Exit"}),
              (Lines{ExitQuestion + " -> No", ExitQuestion + " -> Yes", "quit"}));
    EXPECT_EQ(ReadFile(Ini()), "ORVANE0.10\r\n 1 \r\n 1 \r\n 1 \r\n 0 \r\n 1 \r\n 0 \r\n");
    EXPECT_EQ(RunRaw("show"), drive::Driver::Result::Quit);
}

TEST_F(SettingsTest, CloseBoxAsksTheSameQuestion) {
    Start();
    EXPECT_EQ(Run({"answer \"Check3=0;Check5=1;Option1(1);OK\"", "options", "answer No", "close"}).back(),
              ExitQuestion + " -> No");
    EXPECT_FALSE(View().quit);
    EXPECT_EQ(ReadFile(Ini()), DefaultFile);
    EXPECT_EQ(Run({"answer Yes", "close"}), (Lines{ExitQuestion + " -> Yes", "closed"}));
    EXPECT_EQ(ReadFile(Ini()), "ORVANE0.10\r\n 0 \r\n 0 \r\n 0 \r\n 1 \r\n 1 \r\n 1 \r\n");
    EXPECT_EQ(RunRaw("show"), drive::Driver::Result::Quit);
}

TEST_F(SettingsTest, NoQuestionWhenAskExitIsOff) {
    WriteIni(Ini6(0, 0, 1, 0, 0, 0));
    Start();
    EXPECT_EQ(Run({"menu Turn", "menu Exit"}), Lines{"quit"});
    EXPECT_EQ(ReadFile(Ini()), Ini6(0, 1, 1, 0, 0, 0));
}

TEST_F(SettingsTest, NoQuestionOnCloseAfterTheOptionIsCleared) {
    Start();
    EXPECT_EQ(Run({"answer \"Check6=0;OK\"", "options", "close"}),
              (Lines{"dialog Options: Check3=1 Check5=0 Check6=1 Option1(0)=1 Option1(1)=0 -> OK", "closed"}));
    EXPECT_EQ(ReadFile(Ini()), Ini6(0, 0, 1, 0, 0, 0));
}

TEST_F(SettingsTest, SettingsThatCannotBeSavedAreReportedOnExit) {
    Start();
    // Something took the settings file's name meanwhile.
    fs::remove(Ini());
    fs::create_directory(Ini());
    const Lines printed = Run({"answer Yes", "menu Exit"});
    ASSERT_EQ(printed.size(), 3u);
    EXPECT_EQ(printed[0], ExitQuestion + " -> Yes");
    const std::string expected = "msgbox title=\"Error\" icon=exclamation text=\"The settings could not be saved:\\n" +
                                 Ini().string() + ": Is a directory\" -> OK";
    EXPECT_EQ(printed[1], expected);
    EXPECT_EQ(printed[2], "quit");
}

TEST_F(SettingsTest, ASettingsFileThatIsALinkIsWrittenThroughTheLink) {
    // The link stays a link; the file it names gets the settings, replaced
    // whole (a new file under the same name), and a relative link is
    // followed from the link's own folder.
    fs::create_directories(Home() / "dotfiles");
    WriteFile(Home() / "dotfiles" / "orvane.ini", Ini6(0, 0, 1, 0, 0, 0));
    fs::create_symlink(fs::path("dotfiles") / "orvane.ini", Ini());
    Start();
    Run({"menu Turn", "menu Exit"});
    EXPECT_TRUE(fs::is_symlink(Ini()));
    EXPECT_EQ(fs::read_symlink(Ini()), fs::path("dotfiles") / "orvane.ini");
    EXPECT_EQ(ReadFile(Home() / "dotfiles" / "orvane.ini"), Ini6(0, 1, 1, 0, 0, 0));
    EXPECT_FALSE(fs::exists(Home() / "dotfiles" / "orvane.ini.tmp~"));
}

TEST_F(SettingsTest, AnUnusableFileBehindALinkIsReplacedThroughTheLink) {
    const fs::path target = Home() / "elsewhere.ini";
    WriteFile(target, "ORVANE0.10\r\n nan \r\n 7 \r\n");
    fs::create_symlink(target, Ini());
    Start();
    EXPECT_EQ(Run({}), Lines{});
    EXPECT_TRUE(fs::is_symlink(Ini()));
    EXPECT_EQ(ReadFile(target), DefaultFile);
}

TEST_F(SettingsTest, ALinkToNoFileYetCreatesItsTarget) {
    const fs::path target = Home() / "new.ini";
    fs::create_symlink(target, Ini());
    Start();
    EXPECT_EQ(Run({}), Lines{});
    EXPECT_TRUE(fs::is_symlink(Ini()));
    EXPECT_EQ(ReadFile(target), DefaultFile);
}

// Turning the board, the notation and the options store only 0 or 1, so a
// file with odd values never leads to one the next start refuses (turning
// -32768 once used to save 32769).
// ---- where the files are --------------------------------------------------

// Where the settings file goes: beside a program run from its build folder,
// in the user's configuration folder for an installed one (even when its
// folder can be written, as /usr/bin can by root) and for one whose folder
// cannot be written. Its content is the same wherever it is.
struct SettingsPlace {
    const char* name;
    bool installed;
    bool programFolderExists;  // an existing folder can be written: the tests run as any user
    bool configFolderGiven;
    bool inConfigFolder;  // where the file must be
};
void PrintTo(const SettingsPlace& row, std::ostream* os) { *os << row.name; }

class SettingsFilePlace : public ::testing::TestWithParam<SettingsPlace> {};

TEST_P(SettingsFilePlace, WrittenAtStartAndExitAndReadBackFromThere) {
    const SettingsPlace& row = GetParam();
    TempFolder folder;
    ProgramPaths paths;
    paths.ProgramFolder = folder.Path() / (row.programFolderExists ? "bin" : "not-there");
    if (row.programFolderExists) fs::create_directories(paths.ProgramFolder);
    const fs::path configFolder = folder.Path() / "home" / ".config" / "orvane";
    if (row.configFolderGiven) paths.ConfigFolder = configFolder;
    paths.Installed = row.installed;
    const fs::path used = (row.inConfigFolder ? configFolder : paths.ProgramFolder) / "orvane.ini";
    const fs::path unused = (row.inConfigFolder ? paths.ProgramFolder : configFolder) / "orvane.ini";

    std::ostringstream out;
    {
        drive::Driver driver(out, paths);
        // The defaults are written at start-up (the configuration folder is
        // created for them).
        EXPECT_EQ(ReadFile(used), DefaultFile);
        EXPECT_EQ(driver.Run("menu Turn"), drive::Driver::Result::Ok);
        EXPECT_EQ(driver.Run("answer Yes"), drive::Driver::Result::Ok);
        EXPECT_EQ(driver.Run("menu Exit"), drive::Driver::Result::Quit);
    }
    EXPECT_EQ(ReadFile(used), "ORVANE0.10\r\n 0 \r\n 1 \r\n 1 \r\n 0 \r\n 1 \r\n 0 \r\n");
    EXPECT_FALSE(fs::exists(unused));
    EXPECT_EQ(out.str(), ExitQuestion + " -> Yes\nquit\n") << "no message";

    // The next start reads it from there.
    drive::Driver again(out, paths);
    EXPECT_EQ(ParseShow(again.Show()).letters, "hgfedcba");
}

INSTANTIATE_TEST_SUITE_P(
    ProgramFolders, SettingsFilePlace,
    ::testing::Values(SettingsPlace{"BuildFolderBesideTheProgram", false, true, true, false},
                      SettingsPlace{"BuildFolderWithoutConfigurationFolder", false, true, false, false},
                      SettingsPlace{"BuildFolderThatCannotBeWritten", false, false, true, true},
                      SettingsPlace{"InstalledInAFolderThatCanBeWritten", true, true, true, true},
                      SettingsPlace{"InstalledInAFolderThatCannotBeWritten", true, false, true, true}),
    ScenarioName());

TEST(ProgramFolders, BookNextToTheProgramWinsOverTheInstalledOne) {
    TempFolder folder;
    ProgramPaths paths;
    paths.ProgramFolder = folder.Path() / "program";
    paths.DataFolder = folder.Path() / "data";
    fs::create_directories(paths.ProgramFolder);
    fs::create_directories(paths.DataFolder);
    WriteFile(paths.DataFolder / "orvane.bok", CrLf({"ORVANE Version=0.10", "start", "d2d4", "end"}));

    std::ostringstream out;
    {
        drive::Driver driver(out, paths);
        EXPECT_EQ(driver.View().list2.List(11), " d2-d4b");
        EXPECT_EQ(driver.View().list2.List(13), " e2-e4");
    }
    WriteFile(paths.ProgramFolder / "orvane.bok", CrLf({"ORVANE Version=0.10", "start", "e2e4", "end"}));
    drive::Driver driver(out, paths);
    EXPECT_EQ(driver.View().list2.List(11), " d2-d4");
    EXPECT_EQ(driver.View().list2.List(13), " e2-e4b");
}

}  // namespace
}  // namespace orvane::ui::test
