#include "ui/link_command.h"

#include <sstream>

std::vector<std::string> SplitExecLine(const std::string& exec)
{
    std::vector<std::string> args;
    std::string current;
    bool inQuotes = false, any = false;
    for (std::size_t i = 0; i < exec.size(); ++i) {
        const char c = exec[i];
        if (inQuotes) {
            if (c == '\\' && i + 1 < exec.size()) {
                current += exec[++i];
            } else if (c == '"') {
                inQuotes = false;
            } else {
                current += c;
            }
        } else if (c == '"') {
            inQuotes = any = true;
        } else if (c == ' ' || c == '\t') {
            if (any || !current.empty())
                args.push_back(current);
            current.clear();
            any = false;
        } else {
            current += c;
            any = true;
        }
    }
    if (any || !current.empty())
        args.push_back(current);
    for (std::string& arg : args) {
        std::string::size_type at = 0;
        while ((at = arg.find("%%", at)) != std::string::npos)
            arg.replace(at, 2, "%"), ++at;
    }
    return args;
}

std::vector<std::string> BrowserCommand(const std::string& exec, const std::string& address)
{
    std::vector<std::string> command;
    bool placed = false;
    for (const std::string& arg : SplitExecLine(exec)) {
        if (arg == "%u" || arg == "%U" || arg == "%f" || arg == "%F" || arg == "%1") {
            // The address takes the first file or URL code's place; the
            // arguments after it (a "--new-window") still count.
            if (command.empty())
                return {};  // no program before it
            if (!placed)
                command.push_back(address);
            placed = true;
            continue;
        }
        // Other field codes (%i, %c, %k, ...) stand for nothing here.
        if (arg.size() == 2 && arg[0] == '%')
            continue;
        command.push_back(arg);
    }
    if (command.empty())
        return command;
    if (!placed)
        command.push_back(address);
    return command;
}

std::string DesktopEntryExec(const std::string& desktopFileText)
{
    std::istringstream lines(desktopFileText);
    std::string line;
    bool inEntry = false;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty() && line[0] == '[') {
            inEntry = line == "[Desktop Entry]";
            continue;
        }
        if (inEntry && line.rfind("Exec=", 0) == 0)
            return line.substr(5);
    }
    return {};
}

std::string LinkErrorMessage(int code)
{
    switch (code) {
    case 0:
        return "The operating system is out\nof memory or resources.";
    case 2:
        return "The specified file was not found.";
    case 3:
        return "The specified path was not found.";
    case 5:
        return "The operating system denied\naccess to the specified file.";
    case 8:
        return "There was not enough memory to complete the operation.";
    case 11:
        return "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image).";
    case 26:
        return "A sharing violation occurred. ";
    case 27:
        return "The filename association is\nincomplete or invalid.";
    case 28:
        return "The DDE transaction could not\nbe completed because the request timed out.";
    case 29:
        return "The DDE transaction failed.";
    case 30:
        return "The DDE transaction could not\nbe completed because other DDE transactions\nwere "
               "being processed.";
    case 31:
        return "There is no application associated\nwith the given filename extension.";
    case 32:
        return "The specified dynamic-link library was not found.";
    default:
        return "Unknown Error (" + std::to_string(code) + ") occurred.";
    }
}
