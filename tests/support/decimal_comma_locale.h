// Switches the C library to German (decimal comma) for its lifetime. Machines without the locale get it built
// with localedef into a temporary folder (LOCPATH), so tests run everywhere rather than being skipped.
#pragma once

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

class DecimalCommaLocale {
public:
    DecimalCommaLocale()
    {
        if (std::setlocale(LC_ALL, "de_DE.UTF-8"))
            return;
        std::string pattern = (std::filesystem::temp_directory_path() / "skylog-locale-XXXXXX").string();
        if (!mkdtemp(pattern.data())) {
            ADD_FAILURE() << "no temporary folder for the locale";
            return;
        }
        folder_ = pattern;
        const std::string built = folder_ + "/de_DE.UTF-8";
        if (std::system(("localedef -i de_DE -f UTF-8 " + built + " 2>/dev/null").c_str()) != 0 &&
            !std::ifstream(built + "/LC_NUMERIC"))
            ADD_FAILURE() << "localedef could not build de_DE.UTF-8 (Debian package locales)";
        setenv("LOCPATH", folder_.c_str(), 1);
        if (!std::setlocale(LC_ALL, "de_DE.UTF-8"))
            ADD_FAILURE() << "the built locale de_DE.UTF-8 could not be set";
    }
    ~DecimalCommaLocale()
    {
        std::setlocale(LC_ALL, "C");
        if (!folder_.empty()) {
            unsetenv("LOCPATH");
            std::error_code error;
            std::filesystem::remove_all(folder_, error);
        }
    }
    DecimalCommaLocale(const DecimalCommaLocale&) = delete;
    DecimalCommaLocale& operator=(const DecimalCommaLocale&) = delete;

    // The environment for a child process that runs in this locale.
    std::string Environment() const
    {
        return (folder_.empty() ? "" : "LOCPATH=" + folder_ + " ") + "LC_ALL=de_DE.UTF-8 LANG=de_DE.UTF-8";
    }
    // True when the C library now writes numbers with a comma.
    static bool Active() { return std::localeconv() && std::string(std::localeconv()->decimal_point) == ","; }

private:
    std::string folder_;  // the built locale's folder, when one was built
};
