// SPDX-License-Identifier: MIT
// The user's preference store.
#pragma once

#include <QSettings>

#include <functional>
#include <memory>

namespace vellora::app::shell {

// Opens the preference store. A QSettings object must not be shared between threads, so
// each user opens its own, briefly, through one of these.
using PreferenceStore = std::function<std::unique_ptr<QSettings>()>;

// The application's own store: organisation "Vellora", application "Vellora".
std::unique_ptr<QSettings> userPreferences();

} // namespace vellora::app::shell
