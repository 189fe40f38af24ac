#pragma once

#include "model/BuiltInBanks.h"

#include <gtest/gtest.h>

namespace zd8test
{

/** A fixture with an empty plug-in folder of its own, removed after the test, and the
    data files of the three banks in it. */
struct BankFolder : public ::testing::Test
{
    juce::TemporaryFile folderName;
    juce::File folder = folderName.getFile();

    void SetUp() override { ASSERT_TRUE (folder.createDirectory().wasOk()); }
    void TearDown() override { folder.deleteRecursively(); }

    juce::File fileOf (int type) const { return zd8::BuiltInBanks::dataFile (type, folder); }

    juce::MemoryBlock contentOf (int type) const
    {
        juce::MemoryBlock b;
        fileOf (type).loadFileAsData (b);
        return b;
    }
};

} // namespace zd8test
