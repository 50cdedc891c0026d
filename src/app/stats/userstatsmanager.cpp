// SPDX-License-Identifier: MIT
#include "app/stats/userstatsmanager.h"

#include <cstdint>
#include <limits>

namespace vellora::app::stats {

UserStatsManager &UserStatsManager::shared()
{
    static UserStatsManager manager;
    return manager;
}

UserStatsManager::UserStatsManager(shell::PreferenceStore store, Clock now)
    : m_store(std::move(store)), m_now(std::move(now))
{}

void UserStatsManager::recordDocumentOpen()
{
    const std::lock_guard lock(m_mutex);
    const std::unique_ptr<QSettings> settings = m_store();

    bool readable = false;
    std::int64_t total =
        settings->value(QLatin1String(totalDocumentsOpenedKey)).toLongLong(&readable);
    if (!readable) {
        total = 0;
    }
    if (total < std::numeric_limits<std::int64_t>::max()) {
        ++total;
    }
    settings->setValue(QLatin1String(totalDocumentsOpenedKey), qint64(total));

    if (!firstDate(*settings)) {
        settings->setValue(QLatin1String(firstDocumentOpenDateKey), m_now());
    }
    settings->setValue(QLatin1String(lastDocumentOpenDateKey), m_now());
}

std::optional<QDateTime> UserStatsManager::firstDocumentOpenDate() const
{
    const std::lock_guard lock(m_mutex);
    return firstDate(*m_store());
}

std::optional<QDateTime> UserStatsManager::firstDate(const QSettings &settings)
{
    const QVariant value = settings.value(QLatin1String(firstDocumentOpenDateKey));
    if (value.metaType().id() != QMetaType::QDateTime) {
        return std::nullopt;
    }
    const QDateTime date = value.toDateTime();
    return date.isValid() ? std::optional(date) : std::nullopt;
}

} // namespace vellora::app::stats
