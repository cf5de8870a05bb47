// What the window saves comes back whole: annotated study games opened from
// PGN, saved in the program's own file and as PGN, and opened again show the
// same board, side to move, available moves and comment at every ply; saved
// again, the game file is the same bytes.
#include <optional>

#include "common/encoding.h"
#include "common/textfile.h"
#include "support/shared_data.h"
#include "support/study_games.h"
#include "uitest.h"

namespace orvane::ui::test {
namespace {

// What the window shows at one ply.
struct PlyScreen {
    Lines ranks;
    int side = 0;
    Lines list2;
    std::string text1;
    bool operator==(const PlyScreen&) const = default;
};

void PrintTo(const PlyScreen& s, std::ostream* os) {
    *os << (s.side == 1 ? "White" : "Black") << " to move, " << s.list2.size() << " moves, comment \"" << s.text1
        << "\"";
}

class RoundTripTest : public UiTest {
protected:
    std::string PathOf(const std::string& name) const { return (Home() / name).string(); }

    // Opens a file (game `game` of a collection), the current game given up.
    void Open(const std::string& path, long game = 0) {
        Lines script;
        if (Form().GameHasMoves != 0) script.push_back("answer Yes");
        script.push_back("answer \"" + path + "\"");
        if (game > 0) script.push_back("answer " + std::to_string(game));
        script.push_back("menu Open1");
        const Lines printed = Run(script);
        for (const std::string& line : printed)
            EXPECT_EQ(line.find("msgbox title=\"Error\""), std::string::npos)
                << path << " game " << game << ": " << line;
    }

    // Every ply from the start, as Forward walks them.
    std::vector<PlyScreen> Walk() {
        std::vector<PlyScreen> plies;
        const auto take = [this, &plies] {
            const Screen s = Show();
            // The comment as the comment box shows it: UTF-8, else Windows-1252.
            plies.push_back({s.ranks, Form().Pos.SideToMove, s.list2, DecodeText(s.text1)});
        };
        take();
        const int count = static_cast<int>(View().list1.ListCount());
        for (int ply = 1; ply <= count; ++ply) {
            Run({"button Forward"});
            take();
        }
        return plies;
    }

    // Game `game` of a PGN file opened, saved in both formats and opened
    // from each: every ply alike; the game file saved again unchanged.
    void RoundTrip(const std::string& pgn, long game) {
        SCOPED_TRACE(pgn + " game " + std::to_string(game));
        Open(pgn, game);
        const std::vector<PlyScreen> shown = Walk();

        const std::string orv = PathOf("game.orv");
        const std::string exported = PathOf("game out.pgn");
        fs::remove(orv);
        fs::remove(exported);
        Run({"answer \"" + orv + "\"", "button Save", "answer \"" + exported + "\"", "menu savepgn"});

        Open(orv);
        EXPECT_EQ(Walk(), shown) << "from the game file";
        const std::string saved = ReadFile(orv);
        Run({"menu saveopen"});
        EXPECT_EQ(ReadFile(orv), saved) << "saved again";

        Open(exported, 1);
        EXPECT_EQ(Walk(), shown) << "from the exported PGN";
    }
};

TEST_F(RoundTripTest, StudiesComeBackWholeFromBothFormats) {
    const std::string pgn = PathOf("studies.pgn");
    std::string all;
    for (const std::string& study : testsupport::WrittenStudies()) all += study + "\n";
    WriteFile(pgn, all);
    const std::string cp1252 = PathOf("cp1252.pgn");
    WriteFile(cp1252, testsupport::Windows1252Study());
    Start();
    for (long game = 1; game <= 4; ++game) RoundTrip(pgn, game);
    RoundTrip(cp1252, 1);
}

TEST_F(RoundTripTest, StudiesOfRealGamesComeBackWhole) {
    const fs::path path = testsupport::SharedDataFile("pgn/collections/Fischer.pgn");
    if (!testsupport::SharedDataPresent(path)) GTEST_SKIP() << testsupport::SharedDataMissing(path);
    const std::optional<std::string> bytes = ReadWholeFile(path);
    ASSERT_TRUE(bytes);
    const std::string pgn = PathOf("fischer studies.pgn");
    WriteFile(pgn, testsupport::DerivedStudies(*bytes, 60));
    Start();
    for (long game = 1; game <= 13; ++game) RoundTrip(pgn, game);
}

}  // namespace
}  // namespace orvane::ui::test
