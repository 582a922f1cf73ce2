// The setup program's rules: the /S option and the directory removed, the
// runtime's extension archives and files by their own names, expanded
// names, compressed headers and the failure report.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "setup/rules.h"

namespace {

std::string FromCommand(const char* value)
{
    char out[PATH_SIZE] = "unchanged";
    return SetupDirFromCommand(value, std::strlen(value), out) ? out : std::string("0 ") + out;
}

}  // namespace

TEST(SetupRules, SlashSNamesTheDirectoryAndSameDirectory)
{
    EXPECT_EQ(FromCommand("C:\\VONDRA\\VONDRA.EXE /S D:\\Apps\\"), "D:\\Apps\\Java");
    EXPECT_EQ(FromCommand("VONDRA.EXE /SD:\\Apps"), "D:\\Apps\\Java");
    EXPECT_EQ(FromCommand("VONDRA.EXE /S   E:\\V /P=1"), "E:\\V\\Java");
    EXPECT_EQ(FromCommand("/S C:\\A\\B\\\\"), "C:\\A\\B\\\\Java");  // one backslash only
    EXPECT_EQ(FromCommand("VONDRA.EXE /s D:\\Apps"), "0 unchanged");
    EXPECT_EQ(FromCommand("VONDRA.EXE /S"), "0 unchanged");
    EXPECT_EQ(FromCommand("VONDRA.EXE /S \\ /P"), "0 unchanged");
    // Only the given length counts.
    char out[PATH_SIZE] = "unchanged";
    EXPECT_EQ(SetupDirFromCommand("x /S D:\\A", 6, out), 1);
    EXPECT_STREQ(out, "D\\Java");

    EXPECT_EQ(SameDirectory("C:\\VONDRA", "c:\\Vondra\\"), 1);
    EXPECT_EQ(SameDirectory("C:\\Instalaci\xF3n\\", "C:/INSTALACI\xD3N"), 1);
    EXPECT_EQ(SameDirectory("C:\\VONDRA", "C:\\VONDRA\\Java"), 0);
    EXPECT_EQ(SameDirectory("C:\\VONDRA", "D:\\VONDRA"), 0);
}

TEST(SetupRules, FilesByName)
{
    for (const char* name : {"javax.mail-1.6.jar", "activation.jar", "commons-ssl-0.3.11.jar", "Zxing.JAR",
                             "org-apache-commons-logging.jar", "fontbox-2.0.8.jar", "pdfbox-2.0.8.jar",
                             "LEEME-activation.TXT"})
        EXPECT_EQ(NeedsJreExtension(name), 1) << name;
    for (const char* name : {"zxing-core.jar", "pdfbox-2.0.9.jar", "Activation.jar", "mail.jar", "Vondra.JAR", ""})
        EXPECT_EQ(NeedsJreExtension(name), 0) << name;

    // A search for *.JAR also lists Vondra.jar_old (as VONDRA~1.JAR).
    for (const char* name : {"Vondra.jar", "x.JAR"})
        EXPECT_EQ(LongNameMatches(name, "*.JAR"), 1) << name;
    for (const char* name : {"Vondra.jar_old", "Vondra.JARS", "JAR"})
        EXPECT_EQ(LongNameMatches(name, "*.JAR"), 0) << name;
}

TEST(SetupRules, ExpandedNamesKeepTheirCase)
{
    const char* const cases[][2] = {
        {"C:\\V\\Terminal\\Kelmin.EX_", "C:\\V\\Terminal\\Kelmin.EXE"}, {"Telmir.IC_", "Telmir.ICO"},
        {"telmir.ic_", "telmir.ico"}, {"tool.ex_", "tool.exe"}, {"LEEME.TX_", "LEEME.TX_"}, {"IC", "IC"}, {"", ""}};
    for (const auto& c : cases) {
        char name[PATH_SIZE];
        std::strcpy(name, c[0]);
        ExpandedName(name);
        EXPECT_STREQ(name, c[1]) << c[0];
    }
}

TEST(SetupRules, CompressedHeaderAndReport)
{
    unsigned char header[] = {'S', 'Z', 'D', 'D', 0x88, 0xF0, 0x27, 0x33, 'A', 0, 0x20, 0x4E, 0x01, 0x00};
    uint32_t length = 0;
    EXPECT_EQ(ReadSzddHeader(header, sizeof header, 1, &length), SZDD_COMPRESSED);
    EXPECT_EQ(length, 0x14E20u);
    EXPECT_EQ(ReadSzddHeader(header, sizeof header - 1, 0, &length), SZDD_PLAIN);
    // Named Kelmin.EX_ but no compressed file: refused, not copied raw.
    EXPECT_EQ(ReadSzddHeader(header, 10, 1, &length), SZDD_DAMAGED);
    header[8] = 'B';
    EXPECT_EQ(ReadSzddHeader(header, sizeof header, 1, &length), SZDD_UNKNOWN_METHOD);

    std::vector<SetupFailure> failures;
    for (int i = 0; i < REPORT_LINES + 2; ++i)
        failures.push_back({"F" + std::to_string(i), "disco lleno"});
    std::string report = FailureReport("Arriba:", failures, "Abajo.");
    EXPECT_EQ(report.find("Arriba:\n\nF0: disco lleno\nF1: disco lleno\n"), 0u);
    EXPECT_NE(report.find("F19: disco lleno\n... y 2 m\xE1s\n\nAbajo."), std::string::npos);
    EXPECT_EQ(report.find("F20"), std::string::npos);
}
