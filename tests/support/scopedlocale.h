// SPDX-License-Identifier: MIT
// Switches the process locale for one test and restores it afterwards. A test that needs a
// foreign locale must know it got it: without it, it would pass without testing anything.
#pragma once

#include <clocale>
#include <cstdlib>
#include <string>

namespace vellora::testing {

class ScopedLocale
{
public:
    explicit ScopedLocale(const char *name)
    {
        const char *current = std::setlocale(LC_ALL, nullptr);
        m_saved = current ? current : "C";
        m_active = std::setlocale(LC_ALL, name) != nullptr;
    }
    ~ScopedLocale() { std::setlocale(LC_ALL, m_saved.c_str()); }
    ScopedLocale(const ScopedLocale &) = delete;
    ScopedLocale &operator=(const ScopedLocale &) = delete;

    // Whether the locale asked for is in force.
    bool isActive() const { return m_active; }

private:
    std::string m_saved;
    bool m_active = false;
};

// In CI a missing locale is a failure (the machine is set up to have it); elsewhere the test
// is skipped with a message that says what went unchecked.
inline bool missingLocaleFails()
{
    const char *ci = std::getenv("CI");
    return ci && *ci && std::string(ci) != "false" && std::string(ci) != "0";
}

} // namespace vellora::testing

// GoogleTest: ends the test when `locale` (a ScopedLocale) is not in force.
#define VELLORA_REQUIRE_LOCALE(locale, name)                                                     \
    do {                                                                                         \
        if (!(locale).isActive()) {                                                              \
            if (::vellora::testing::missingLocaleFails()) {                                      \
                FAIL() << "locale " << (name) << " is not installed";                            \
            }                                                                                    \
            GTEST_SKIP() << "locale " << (name) << " is not installed: this case is unchecked";  \
        }                                                                                        \
    } while (false)

// QtTest: the same for a QtTest function.
#define VELLORA_QREQUIRE_LOCALE(locale, name)                                                    \
    do {                                                                                         \
        if (!(locale).isActive()) {                                                              \
            if (::vellora::testing::missingLocaleFails()) {                                      \
                QFAIL("locale " name " is not installed");                                       \
            }                                                                                    \
            QSKIP("locale " name " is not installed: this case is unchecked");                   \
        }                                                                                        \
    } while (false)
