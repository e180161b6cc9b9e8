#include "settings/stored_settings.h"

#include "support/fresh_process.h"

using namespace settings;

using StoredSettings = ProgramTest;

TEST_F(StoredSettings, LettersFallBackOnlyWhenEmpty) {
    EXPECT_EQ(ReadLetter(kShowLetter, "S"), "S");
    Store("default", "key", "AB");
    EXPECT_EQ(ReadLetter(kShowLetter, "S"), "AB");
    Store("default", "key", " ");
    EXPECT_EQ(ReadLetter(kShowLetter, "S"), " ");
}

TEST_F(StoredSettings, OnTopIsTheRoundedValueOne) {
    for (const char* on : {"1", " 1", "1.4", "0.6", " 1 "}) {
        Store("default", "ontop", on);
        EXPECT_TRUE(ReadPanelOnTop()) << on;
    }
    for (const char* off : {"", "2", "0.5", "1.5", " 0", "-1", "word", "65537", "99999999999999999999"}) {
        Store("default", "ontop", off);
        EXPECT_FALSE(ReadPanelOnTop()) << off;
    }
}

TEST_F(StoredSettings, PanelColourIsPositiveOrYellow) {
    EXPECT_EQ(ReadPanelColor(), 0x00FFFFu);
    static const std::string huge(400, '9');
    const std::pair<const char*, os::COLORREF> cases[] = {
        {" 255", 0xFF},         {" 0", 0xFFFF},         {"-255", 0xFFFF},     {"word", 0xFFFF},
        {"0.4", 0xFFFF},        {"2.5", 2},             {" 16777215", 0xFFFFFF},
        {" 16777216", 0xFFFF},  // not a colour
        {"4294967296", 0xFFFF}, {huge.c_str(), 0xFFFF}};
    for (const auto& [text, color] : cases) {
        Store("default", "backcolor", text);
        EXPECT_EQ(ReadPanelColor(), color) << text;
    }
}

TEST_F(StoredSettings, GeometryNeedsAPositiveWidth) {
    Store("window", "height", " 3000");
    Store("window", "left", "-1200");
    Store("window", "top", " 600");
    EXPECT_FALSE(ReadPanelGeometry());
    Store("window", "width", " 0");
    EXPECT_FALSE(ReadPanelGeometry());
    Store("window", "width", "-10");
    EXPECT_FALSE(ReadPanelGeometry());
    Store("window", "width", " 4800");
    const auto g = ReadPanelGeometry();
    ASSERT_TRUE(g);
    EXPECT_EQ(g->width, 4800);
    EXPECT_EQ(g->height, 3000);
    EXPECT_EQ(g->left, -1200);
    EXPECT_EQ(g->top, 600);
}

TEST_F(StoredSettings, GeometryIsWrittenAsNumberTexts) {
    SavePanelGeometry({4800, 3015.5f, -1200, 0});
    EXPECT_EQ(Stored("window", "width"), " 4800");
    EXPECT_EQ(Stored("window", "height"), " 3015.5");
    EXPECT_EQ(Stored("window", "left"), "-1200");
    EXPECT_EQ(Stored("window", "top"), " 0");
}

TEST_F(StoredSettings, OpacityIsHeldBetweenTheFloorAndOpaque) {
    EXPECT_EQ(ReadPanelOpacity(), 140);  // a store from before the setting existed
    static const std::string huge(400, '9');
    const std::pair<const char*, int> cases[] = {
        {"", 140},  {"word", 140}, {"-", 140},   {" 200", 200}, {"77", 77},   {" 26", 26},  {" 25", 26},
        {" 0", 26}, {"-40", 26},   {" 255", 255}, {" 256", 255}, {" 140.5", 140}, {" 141.5", 142},
        {" 80 %", 80}, {huge.c_str(), 255}};
    for (const auto& [text, alpha] : cases) {
        Store("default", "opacity", text);
        EXPECT_EQ(ReadPanelOpacity(), alpha) << text;
    }
}
