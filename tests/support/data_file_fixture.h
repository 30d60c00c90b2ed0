// A data file in a temporary folder and a scripted prompt, for the tests of the reader, writer and conversion.
#pragma once

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "data/data_file.h"
#include "support/data_state.h"
#include "support/scripted_prompt.h"
#include "support/temp_folder.h"

// The headers as the file format has them, written out here on purpose.
inline const std::string V3Header = "! SKYLOG Solar Data Plot Version 3 Data File";
inline const std::string V2Header = "! SKYLOG Solar Data Plot Version 2 Data File";

// The lines, each followed by eol.
inline std::string Lines(const std::vector<std::string>& lines, const std::string& eol = "\n")
{
    std::string text;
    for (const std::string& line : lines)
        text += line + eol;
    return text;
}

// The data lines of a file (every line that is not empty and not a comment), in order.
inline std::vector<std::string> DataLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty() && line[0] != '!')
            lines.push_back(line);
    }
    return lines;
}

class DataFileFixture : public ::testing::Test {
protected:
    TempFolder folder;
    ScriptedPrompt prompt;
    std::string path = folder.File("GRAPH.DAT");

    void SetUp() override { ResetDataState(); }
    void TearDown() override { ResetDataState(); }

    // Writes text as the data file and reads it.
    ReadOutcome Read(const std::string& text)
    {
        WriteTextFile(path, text);
        DataFile().path = path;
        return ReadDataFile();
    }
    // Saves the records as the window does after an edit.
    bool Save()
    {
        Records().SetDataChanged(1);
        return WriteDataFile();
    }
    std::vector<int> SunspotsRead() const
    {
        std::vector<int> spots;
        for (int i = 0; i < Records().RecordCount(); ++i)
            spots.push_back(Records().At(i).m_sunspots);
        return spots;
    }
};
