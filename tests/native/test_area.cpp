#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "caller.h"
#include "params/choices.h"

namespace {

using Table = uint8_t[AREA_COUNT][COLOUR_ROLE_COUNT];

struct Check {
    int valid;
    std::string message;
};

Check CheckOf(const Table& table, size_t size = AREA_MESSAGE_SIZE, Caller caller = {})
{
    SCOPED_CALLER(caller);
    std::string buffer(size + 8, '#');
    int valid = CheckAreaTable(table, &buffer[0], size);
    if (size == 0)
        return {valid, buffer.substr(0, 1)};
    size_t end = buffer.find('\0');
    EXPECT_LT(end, size) << "message not terminated inside its buffer";
    return {valid, buffer.substr(0, end)};
}

void Empty(Table& t)
{
    std::memset(t, NO_COLOUR, sizeof(Table));
}

}  // namespace

TEST(AreaCheck, EmptyOrVariablesOnlyAreasAreValid)
{
    Table t;
    Empty(t);
    Check c = CheckOf(t);
    EXPECT_EQ(c.valid, 1);
    EXPECT_EQ(c.message, "");

    // Only "Variables Lec." given: skipped, whatever it holds.
    t[4][3] = 2;
    t[4][4] = 2;
    t[6][5] = 9;
    EXPECT_EQ(CheckOf(t).valid, 1);

    // A complete, distinct area is valid.
    Empty(t);
    const uint8_t row[7] = {7, 1, 15, 0, 14, NO_COLOUR, NO_COLOUR};
    std::memcpy(t[2], row, 7);
    EXPECT_EQ(CheckOf(t).valid, 1);
}

TEST(AreaCheck, SentencesPerRuleInAreaOrder)
{
    Table t;
    Empty(t);
    // General and label colours given, label background equal to label text.
    t[0][0] = 7;
    t[0][1] = 4;
    t[0][2] = 4;
    Check c = CheckOf(t);
    EXPECT_EQ(c.valid, 0);
    EXPECT_EQ(c.message, "En Renglon el color de fondo de letreros es igual al color sus de letras.");

    Empty(t);
    t[3][1] = 5;   // Menu-Variables: no general background, no label text
    t[7][0] = 1;   // Menu-Marcas: complete but reading and writing colours equal
    t[7][1] = 2;
    t[7][2] = 3;
    t[7][3] = 9;
    t[7][4] = 9;
    t[7][5] = 0;
    t[7][6] = 0;
    t[5][2] = 15;  // Imagen: only label text
    c = CheckOf(t);
    EXPECT_EQ(c.valid, 0);
    EXPECT_EQ(c.message,
              "En Menu-Variables no se di\xF3 color de fondo general."
              " En Menu-Variables no se di\xF3 color de letras de letreros."
              " En Imagen no se di\xF3 color de fondo general."
              " En Imagen no se di\xF3 color de fondo de letreros."
              " En Menu-Marcas el color de fondo de las variables en lectura es igual al color sus de letras."
              " En Menu-Marcas el color de fondo de las variables en escritura es igual al color sus de letras.");
}

TEST(AreaCheck, LongestMessageFitsAndSmallBuffersAreCutSafely)
{
    // Every area with the most sentences an area can give: one missing
    // colour and three equal pairs.
    Table t;
    for (auto& row : t) {
        const uint8_t worst[7] = {NO_COLOUR, 3, 3, 5, 5, 6, 6};
        std::memcpy(row, worst, 7);
    }
    Check c = CheckOf(t);
    EXPECT_EQ(c.valid, 0);
    EXPECT_LT(c.message.size(), static_cast<size_t>(AREA_MESSAGE_SIZE) - 1);
    EXPECT_EQ(c.message.substr(c.message.size() - 10), "de letras.");
    size_t sentences = 0;
    for (size_t at = 0; (at = c.message.find("En ", at)) != std::string::npos; at += 3)
        ++sentences;
    EXPECT_EQ(sentences, 32u);

    // A short buffer holds the start of the text, terminated; still invalid.
    for (size_t size : {1u, 2u, 10u, 64u}) {
        Check cut = CheckOf(t, size);
        EXPECT_EQ(cut.valid, 0);
        EXPECT_EQ(cut.message, c.message.substr(0, size - 1));
    }
    EXPECT_EQ(CheckOf(t, 0).valid, 0);
}

TEST(Rcm, PositionsOfStoredValues)
{
    EXPECT_EQ(RcmPosition(23, 23, 50), 0);
    EXPECT_EQ(RcmPosition(50, 23, 50), 27);
    EXPECT_EQ(RcmPosition(30, 23, 50), 7);
    EXPECT_EQ(RcmPosition(22, 23, 50), 0);
    EXPECT_EQ(RcmPosition(51, 23, 50), 0);
    EXPECT_EQ(RcmPosition(0, 80, 200), 0);
    EXPECT_EQ(RcmPosition(200, 80, 200), 120);
    EXPECT_EQ(RcmPosition(-2147483647 - 1, 80, 200), 0);
}
