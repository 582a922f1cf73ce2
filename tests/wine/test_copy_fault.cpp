// Copies that fail half-way. limited-run (see CMakeLists.txt) starts this
// program with file writes limited to VONDRA_FILE_LIMIT bytes, as on a full
// disk, and leaves a larger and a smaller archive in VONDRA_FAULT_SOURCE.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "fixtures.h"
#include "installcore/install.h"
#include "params/params.h"

using fixture::Listing;
using fixture::ReadAll;

TEST(CopyFault, FullDiskKeepsTheEarlierFile)
{
    const char* limitText = std::getenv("VONDRA_FILE_LIMIT");
    const char* sourceText = std::getenv("VONDRA_FAULT_SOURCE");
    ASSERT_TRUE(limitText != nullptr && sourceText != nullptr) << "run this test through limited-run";
    size_t limit = std::strtoul(limitText, nullptr, 10);
    std::string source = fixture::WindowsPath(sourceText) + "\\";
    std::string big = ReadAll(source + "Vondra.JAR");
    std::string small = ReadAll(source + "Chico.JAR");
    ASSERT_GT(big.size(), limit);
    ASSERT_LT(small.size(), limit);

    std::string dir = fixture::NewDirectory("fault");
    std::string target = dir + "Vondra.JAR";
    fixture::WriteBytes(target, "anterior", 8);
    ASSERT_EQ(ReadAll(target), "anterior");

    EXPECT_EQ(CopyFileRaw(target.c_str(), (source + "Vondra.JAR").c_str()), 0);
    EXPECT_EQ(ReadAll(target), "anterior");
    EXPECT_EQ(Listing(dir), std::vector<std::string>{"Vondra.JAR"});

    // Nothing stood there before: nothing is left, rather than a cut archive.
    std::string fresh = dir + "Nuevo.JAR";
    EXPECT_EQ(CopyFileRaw(fresh.c_str(), (source + "Vondra.JAR").c_str()), 0);
    EXPECT_EQ(Listing(dir), std::vector<std::string>{"Vondra.JAR"});

    // Through CopyJars: the archive that fits is copied, the other keeps its
    // earlier copy.
    CopyText(entryDir, source.c_str());
    CopyJars(dir.c_str());
    EXPECT_EQ(ReadAll(dir + "Chico.JAR"), small);
    EXPECT_EQ(ReadAll(target), "anterior");
    EXPECT_EQ(JarStatus(dir.c_str()), JARS_OUT_OF_DATE);

    // The parameter file too: an earlier one stays whole rather than cut.
    std::string lines(limit + 10, 'x');
    fixture::WriteBytes(dir + "Falla.PAR", "Efecto=3,2,4,2,1,2\r\n", 20);
    char path[PATH_SIZE];
    EXPECT_EQ(WriteParamFile(dir.c_str(), "Falla", lines.c_str(), path), 0);
    EXPECT_EQ(ReadAll(dir + "Falla.PAR"), "Efecto=3,2,4,2,1,2\r\n");
    EXPECT_EQ(Listing(dir), (std::vector<std::string>{"Chico.JAR", "Falla.PAR", "Vondra.JAR"}));
}
