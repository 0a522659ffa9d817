#pragma once

#include <QString>
#include <atomic>
#include <optional>

#include "cube/cube_data.h"

namespace tavrel {

// How far a read has gone, for a progress bar on another thread, and a way to stop it.
struct ReadProgress {
    std::atomic<long long> read{0};   // cheques read so far
    std::atomic<long long> total{0};  // cheques in the file, known once the read starts
    std::atomic<bool> cancelled{false};
};

// Reads the cube's source from the main database file: the registered clients, then every
// cheque of theirs in the order the cheques were written (a cheque whose client is not
// registered stays out, as the join of the source query leaves it out). The file is opened
// read-only, so nothing is ever written to it; a writer on another connection neither waits
// for the read nor is seen half-way (the read sees the last committed state).
// Throws AppError: 53 for a missing file, 3343 for a file that is not our main database, 3000
// for a failed read. Gives nullopt when cancelled.
std::optional<CubeData> readCubeSource(const QString& databasePath,
                                       ReadProgress* progress = nullptr);

}  // namespace tavrel
