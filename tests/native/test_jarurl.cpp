#include <gtest/gtest.h>

#include <string>

#include "caller.h"
#include "rtfsetup/jarurl.h"

namespace {

const char INVALID[] = "<invalid>";
enum { DIR_ROOM = 1024 };

// The normalised address, or INVALID (then the stored address must be left as it was).
std::string Normalise(const std::string& text, Caller caller = {})
{
    SCOPED_CALLER(caller);
    char address[JAR_URL_SIZE] = "stored";
    if (!NormaliseJarUrl(text.c_str(), address)) {
        EXPECT_STREQ(address, "stored") << text;
        return INVALID;
    }
    return address;
}

std::string Source(const char* commandLine, SourceDir expected, Caller caller = {})
{
    SCOPED_CALLER(caller);
    char dir[DIR_ROOM];
    EXPECT_EQ(SourceDirFromCommandLine(commandLine, dir, sizeof dir), expected) << (commandLine ? commandLine : "null");
    return dir;
}

}  // namespace

TEST(JarUrl, ExamplesOfTheDialog)
{
    EXPECT_EQ(Normalise("10.0.0.5"), "http://10.0.0.5/*");
    EXPECT_EQ(Normalise("servidor/jar"), "http://servidor/jar/*");
    EXPECT_EQ(Normalise("servidor/jar/"), "http://servidor/jar/*");
    EXPECT_EQ(Normalise("10.0.0.5/jar"), INVALID);
    EXPECT_EQ(Normalise("10.0.0.5:8080"), INVALID);
    EXPECT_EQ(Normalise("www.servidor"), INVALID);
    EXPECT_EQ(Normalise(""), "");
}

TEST(JarUrl, TextWithScheme)
{
    EXPECT_EQ(Normalise("http://servidor/jar"), "http://servidor/jar/*");
    EXPECT_EQ(Normalise("HTTP://Servidor/Jar/*"), "HTTP://Servidor/Jar/*");
    EXPECT_EQ(Normalise("hTtP://x/"), "hTtP://x/*");
    EXPECT_EQ(Normalise("http://"), "http://*");
    EXPECT_EQ(Normalise("http://10.0.0.5"), "http://10.0.0.5/*");
    EXPECT_EQ(Normalise("http://a.b.c.d.e"), "http://a.b.c.d.e/*");
    EXPECT_EQ(Normalise("http://www.empresa.com"), "http://www.empresa.com/*");
    // Exactly "://" after the four letters.
    EXPECT_EQ(Normalise("http:/servidor"), INVALID);
    EXPECT_EQ(Normalise("https://servidor"), INVALID);
    EXPECT_EQ(Normalise("http"), INVALID);
    EXPECT_EQ(Normalise("httpservidor"), INVALID);
    // Four numbers with a path or a port, and a bare www name.
    EXPECT_EQ(Normalise("http://10.0.0.5/jar"), INVALID);
    EXPECT_EQ(Normalise("http://10.0.0.5:80"), INVALID);
    EXPECT_EQ(Normalise("http://a.b.c.d"), INVALID);
    EXPECT_EQ(Normalise("http://WwW.servidor"), INVALID);
    EXPECT_EQ(Normalise("http://www.servidor/jar/*"), INVALID);
}

TEST(JarUrl, TextWithWww)
{
    EXPECT_EQ(Normalise("www.empresa.com"), "http://www.empresa.com/*");
    EXPECT_EQ(Normalise("WWW.Empresa.com/jar/"), "http://WWW.Empresa.com/jar/*");
    EXPECT_EQ(Normalise("www.empresa.com.mx"), "http://www.empresa.com.mx/*");
    EXPECT_EQ(Normalise("www."), INVALID);
    EXPECT_EQ(Normalise("www.empresa/jar"), INVALID);
    // Not "www." at the start: the other rules apply.
    EXPECT_EQ(Normalise("www"), "http://www/*");
    EXPECT_EQ(Normalise("wwwx.y"), "http://wwwx.y/*");
}

TEST(JarUrl, TextWithThreeDots)
{
    EXPECT_EQ(Normalise("192.168.100.254"), "http://192.168.100.254/*");
    EXPECT_EQ(Normalise("..."), "http://.../*");
    EXPECT_EQ(Normalise("a.b.c.d"), INVALID);
    EXPECT_EQ(Normalise("servidor.empresa.com.mx"), INVALID);
    EXPECT_EQ(Normalise("10.0.0.5/"), INVALID);
    // Two or four dots are plain names.
    EXPECT_EQ(Normalise("1.2.3"), "http://1.2.3/*");
    EXPECT_EQ(Normalise("1.2.3.4.5"), "http://1.2.3.4.5/*");
    EXPECT_EQ(Normalise("servidor.empresa.com"), "http://servidor.empresa.com/*");
}

TEST(JarUrl, Ending)
{
    EXPECT_EQ(Normalise("servidor/*"), "http://servidor/*");
    EXPECT_EQ(Normalise("servidor/"), "http://servidor/*");
    EXPECT_EQ(Normalise("servidor*"), "http://servidor*/*");
    EXPECT_EQ(Normalise("/"), "http:///*");
}

TEST(JarUrl, StoredAddressPassesAgain)
{
    // An update submits the shown, stored address unchanged.
    for (const char* typed : {"10.0.0.5", "www.empresa.com.mx", "servidor/jar/", "http://x", "192.168.1.1/*"}) {
        std::string stored = Normalise(typed);
        if (stored == INVALID)
            continue;
        EXPECT_EQ(Normalise(stored), stored) << typed;
    }
    EXPECT_EQ(Normalise("http://10.0.0.5/*"), "http://10.0.0.5/*");
    EXPECT_EQ(Normalise("http://10.0.0.5/"), INVALID);
}

TEST(JarUrl, RefusesWhatWouldSpoilThePolicyFile)
{
    // The address is written between double quotes in JAVA.POLICY.
    EXPECT_EQ(Normalise("servidor\"/jar"), INVALID);
    EXPECT_EQ(Normalise("\""), INVALID);
    EXPECT_EQ(Normalise("servidor\r\ngrant {"), INVALID);
    EXPECT_EQ(Normalise("servidor\n"), INVALID);
    EXPECT_EQ(Normalise("servidor/};"), INVALID);
    EXPECT_EQ(Normalise("servidor/}/;"), "http://servidor/}/;/*");
    EXPECT_EQ(Normalise("servidor\\jar"), "http://servidor\\jar/*");

    // A result that would not fit the 1,023 characters is refused, not cut.
    EXPECT_EQ(Normalise(std::string(1014, 'a')).size(), 1023u);
    EXPECT_EQ(Normalise(std::string(1015, 'a')), INVALID);
    EXPECT_EQ(Normalise("http://" + std::string(1014, 'a') + "/*").size(), 1023u);
    EXPECT_EQ(Normalise("http://" + std::string(1015, 'a') + "/*"), INVALID);
    EXPECT_EQ(Normalise(std::string(5000, 'a')), INVALID);
}

TEST(CommandLine, ProgramNameMeansCurrentDirectory)
{
    EXPECT_EQ(Source(nullptr, SOURCE_CURRENT), "");
    EXPECT_EQ(Source("", SOURCE_CURRENT), "");
    EXPECT_EQ(Source("C:\\VONDRA\\Terminal\\Kelmin.EXE", SOURCE_CURRENT), "");
    EXPECT_EQ(Source("kelmin.exe", SOURCE_CURRENT), "");
    // One of the four marks suffices.
    EXPECT_EQ(Source("C:\\Fuente", SOURCE_CURRENT), "");
    EXPECT_EQ(Source("C:\\dir.abc", SOURCE_CURRENT), "");
    EXPECT_EQ(Source("C:\\aEbc", SOURCE_CURRENT), "");
    EXPECT_EQ(Source("C:\\abxc", SOURCE_CURRENT), "");
    EXPECT_EQ(Source("e", SOURCE_CURRENT), "");
    // The shell's quotes round the program's path, and trailing blanks.
    EXPECT_EQ(Source("\"C:\\Program Files\\Kelmin.EXE\"", SOURCE_CURRENT), "");
    EXPECT_EQ(Source("\"C:\\VONDRA\\Terminal\\Kelmin.EXE\" ", SOURCE_CURRENT), "");
}

TEST(CommandLine, DirectoryGiven)
{
    EXPECT_EQ(Source("C:\\VONDRA\\Terminal", SOURCE_GIVEN), "C:\\VONDRA\\Terminal");
    EXPECT_EQ(Source("C:\\VONDRA\\Terminal\\", SOURCE_GIVEN), "C:\\VONDRA\\Terminal\\");
    EXPECT_EQ(Source("\\\\servidor\\dll", SOURCE_GIVEN), "\\\\servidor\\dll");
    EXPECT_EQ(Source("\"C:\\Mi dir\\Terminal\"", SOURCE_GIVEN), "C:\\Mi dir\\Terminal");
    EXPECT_EQ(Source("C:\\DLL  ", SOURCE_GIVEN), "C:\\DLL");
    // Shorter than four characters: only the marks that exist count.
    EXPECT_EQ(Source("AB", SOURCE_GIVEN), "AB");
    EXPECT_EQ(Source("X", SOURCE_GIVEN), "X");
    EXPECT_EQ(Source("\"\"", SOURCE_CURRENT), "");

    std::string longest(DIR_ROOM - 1, 'd');
    EXPECT_EQ(Source(longest.c_str(), SOURCE_GIVEN), longest);
    std::string tooLong(DIR_ROOM, 'd');
    EXPECT_EQ(Source(tooLong.c_str(), SOURCE_TOO_LONG), "");
}
