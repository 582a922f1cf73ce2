// Printer list lines and their reduction to a name or a port.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "params/printtext.h"

namespace {

std::string Line(const char* name, const char* port)
{
    char line[PRINTER_LINE_SIZE];
    ComposePrinterLine(line, sizeof line, name, port);
    return line;
}

std::string Port(const std::string& text)
{
    std::vector<char> buffer(text.begin(), text.end());
    buffer.push_back('\0');
    ReduceToPort(buffer.data());
    return buffer.data();
}

std::string Name(const std::string& text)
{
    std::vector<char> buffer(text.begin(), text.end());
    buffer.push_back('\0');
    ReduceToName(buffer.data());
    return buffer.data();
}

}  // namespace

TEST(PrinterText, LinesAndTheirReductions)
{
    struct Case {
        const char* name;
        const char* port;
        const char* line;
        const char* byName;
        const char* byPort;
    } cases[] = {
        {"Epson", "LPT1:", "Epson (Puerto: LPT1:)", "Epson ", "LPT1:"},
        {"HP LaserJet 4", "\\\\server\\hp", "HP LaserJet 4 (Puerto: \\\\server\\hp)", "HP LaserJet 4 ", "\\\\server\\hp"},
        {"Vacia", "", "Vacia (Puerto: )", "Vacia ", ""},
        // A name holding the mark is cut at its first occurrence either way.
        {"Rara (Puerto: X) Uno", "FILE:", "Rara (Puerto: X) Uno (Puerto: FILE:)", "Rara ",
         "X) Uno (Puerto: FILE:"},
        {"", "COM1:", " (Puerto: COM1:)", " ", "COM1:"},
        {"(Puerto: ", "", "(Puerto:  (Puerto: )", "", " (Puerto: "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        std::string line = Line(c.name, c.port);
        EXPECT_EQ(line, c.line);
        EXPECT_EQ(Name(line), c.byName);
        EXPECT_EQ(Port(line), c.byPort);
    }
}

TEST(PrinterText, DefaultPrinterIsPrnAndOtherTextsStay)
{
    EXPECT_EQ(Port("Predeterminada"), "PRN");
    EXPECT_EQ(Name("Predeterminada"), "PRN");
    // Only the exact line stands for the default printer.
    EXPECT_EQ(Name("Predeterminada "), "Predeterminada ");
    EXPECT_EQ(Port("predeterminada"), "predeterminada");
    // Without the mark (as after the user edited the name) nothing changes;
    // a parenthesis that does not begin the mark is passed over.
    EXPECT_EQ(Port("Epson"), "Epson");
    EXPECT_EQ(Name("Epson (Puerto:LPT1)"), "Epson (Puerto:LPT1)");
    EXPECT_EQ(Port("A (B) (Puerto: LPT2:)"), "LPT2:");
    EXPECT_EQ(Port("A (Puerto: "), "");
    EXPECT_EQ(Port(""), "");
    EXPECT_EQ(Name(""), "");
}

TEST(PrinterText, LongValuesAreCutToTheirBuffers)
{
    // Registry values come in buffers of 1024 characters; a line of two full
    // values still fits the line buffer whole and keeps its port.
    std::string name(PRINTER_VALUE_SIZE - 1, 'n');
    std::string port(PRINTER_VALUE_SIZE - 1, 'p');
    std::string line = Line(name.c_str(), port.c_str());
    EXPECT_EQ(line, name + " (Puerto: " + port + ")");
    EXPECT_EQ(Port(line), port);
    EXPECT_EQ(Name(line), name + " ");

    // Unterminated or longer texts are read no further than a value's buffer.
    std::string longer(3000, 'x');
    line = Line(longer.c_str(), "LPT1:");
    EXPECT_EQ(line, std::string(PRINTER_VALUE_SIZE - 1, 'x') + " (Puerto: LPT1:)");

    // A small line buffer cuts and terminates.
    char small[12];
    std::memset(small, '#', sizeof small);
    ComposePrinterLine(small, sizeof small, "Epson", "LPT1:");
    EXPECT_STREQ(small, "Epson (Puer");
    ComposePrinterLine(small, 1, "Epson", "LPT1:");
    EXPECT_STREQ(small, "");
}
