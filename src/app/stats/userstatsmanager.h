// SPDX-License-Identifier: MIT
// How many documents the user opened, and when the first and the latest were opened.
#pragma once

#include "app/shell/preferences.h"

#include <QDateTime>

#include <functional>
#include <mutex>
#include <optional>

namespace vellora::app::stats {

// Keeps three values in the preference store. Nothing in the program shows them. Told of
// each opened document by the document controller, on whichever thread reads.
class UserStatsManager final
{
public:
    static constexpr const char *totalDocumentsOpenedKey = "userStats.totalDocumentsOpened";
    static constexpr const char *firstDocumentOpenDateKey = "userStats.firstDocumentOpenDate";
    static constexpr const char *lastDocumentOpenDateKey = "userStats.lastDocumentOpenDate";

    using Clock = std::function<QDateTime()>;

    // The one instance the application uses, over the user's preference store; made on
    // first use.
    static UserStatsManager &shared();

    // A manager over another store (and clock), for tests.
    explicit UserStatsManager(shell::PreferenceStore store = &shell::userPreferences,
                              Clock now = &QDateTime::currentDateTimeUtc);

    // Counts one opening: the total goes up by one (an absent or unreadable total counts as
    // 0; the largest 64-bit total stays), the first date is set when there is none yet, the
    // latest date is set every time. Safe from any thread; concurrent calls in this process
    // do not lose a count.
    void recordDocumentOpen();

    // The stored first date when it is a valid date and time; nullopt otherwise (absent,
    // or a value of another type, which the next opening replaces).
    std::optional<QDateTime> firstDocumentOpenDate() const;

private:
    static std::optional<QDateTime> firstDate(const QSettings &settings);

    shell::PreferenceStore m_store;
    Clock m_now;
    mutable std::mutex m_mutex;
};

} // namespace vellora::app::stats
