// The game picker's benchmark collection: the shared collections written
// one after another until 28,885 games, into a temporary file made once per
// run, and its game index as the window's scan builds it.
#pragma once

#include <array>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <string>
#include <system_error>

#include "common/index.h"
#include "common/textfile.h"
#include "pgn/collection.h"
#include "support/shared_data.h"

namespace orvane::bench {

inline constexpr long PickerGames = 28'885;

struct PickerCollection {
    std::filesystem::path Path;
    pgn::GameIndex Index;
    std::array<bool, pgn::IndexColumns> Visible{};  // the columns some game fills
    std::string Problem;                            // why there is none

    ~PickerCollection() {
        std::error_code ec;
        if (!Path.empty()) std::filesystem::remove(Path, ec);
    }
};

inline const PickerCollection& BigPickerCollection() {
    static PickerCollection big = [] {
        PickerCollection b;
        std::string one;
        for (const char* name : {"Capablanca.pgn", "Fischer.pgn", "Kasparov.pgn", "Carlsen.pgn", "Nimzowitsch.pgn"}) {
            const auto path = testsupport::SharedDataFile(std::string("pgn/collections/") + name);
            const std::optional<std::string> bytes = ReadWholeFile(path);
            if (!bytes) {
                b.Problem = testsupport::SharedDataMissing(path);
                return b;
            }
            one += *bytes + "\r\n\r\n";
        }
        b.Path = std::filesystem::temp_directory_path() /
                 ("orvane_bench_picker_" + std::to_string(std::random_device{}()) + ".pgn");
        const auto write = [&b](const std::string& bytes) {
            std::ofstream out(b.Path, std::ios::binary | std::ios::trunc);
            out << bytes;
            return static_cast<bool>(out);
        };
        // Enough copies, then cut before the first game beyond the count.
        std::string all;
        while (true) {
            all += one;
            if (!write(all)) {
                b.Problem = "cannot write " + b.Path.string();
                return b;
            }
            pgn::ScanResult scan = pgn::ScanFile(b.Path);
            if (scan.Error) {
                b.Problem = scan.Error.Text;
                return b;
            }
            if (scan.Index.Count <= PickerGames) continue;
            all.resize(scan.Index.Seeks[static_cast<std::size_t>(PickerGames)].Offset);
            break;
        }
        write(all);
        pgn::ScanResult scan = pgn::ScanFile(b.Path);
        if (scan.Error || scan.Index.Count != PickerGames) {
            b.Problem = "the cut collection does not hold " + std::to_string(PickerGames) + " games";
            return b;
        }
        b.Index = std::move(scan.Index);
        for (int k = 1; k <= pgn::IndexColumns; ++k) b.Visible[At(k - 1)] = k == 1 || b.Index.ColumnUsed[At(k)] != 0;
        return b;
    }();
    return big;
}

}  // namespace orvane::bench
